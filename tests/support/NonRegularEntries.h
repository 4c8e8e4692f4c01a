#pragma once

#include <QByteArray>
#include <QString>

// What some systems' folders hold besides files and folders, made for tests. Each says false (or
// gives nothing) where the system cannot make it, and the test that needed it skips.
namespace corvane {

bool MakeFifo(const QString& path);
bool MakeSymbolicLink(const QString& target, const QString& path);
// A name whose file nobody can read, whatever the permissions say.
bool MakeUnreadableFile(const QString& path);
// The null device under another name: only the superuser may make one.
bool MakeDeviceNode(const QString& path);
// A file whose name is these very bytes, UTF-8 or not, holding `content`. Windows names are
// UTF-16 text, not bytes.
bool MakeFileNamedByBytes(const QByteArray& path, const QByteArray& content);

// A local socket bound at a path for as long as it lives.
class BoundSocket {
public:
    BoundSocket() = default;
    BoundSocket(const BoundSocket&) = delete;
    BoundSocket& operator=(const BoundSocket&) = delete;
    ~BoundSocket();
    bool Bind(const QString& path);

private:
    int fd_ = -1;
};

// The permission bits of what is at the path (a link's own), or -1 when nothing is there or the
// system has none.
int ModeOf(const QString& path);

// What tells one entry from another at the same path (its kind and file number); empty when
// nothing is there or the system cannot tell.
QByteArray IdentityOf(const QString& path);

} // namespace corvane
