#include "tests/support/NonRegularEntries.h"

// Windows folders hold no pipes, sockets or device nodes, and making a symbolic link takes a
// privilege that tests do not have.
namespace corvane {

bool MakeFifo(const QString&) {
    return false;
}

bool MakeSymbolicLink(const QString&, const QString&) {
    return false;
}

bool MakeUnreadableFile(const QString&) {
    return false;
}

bool MakeDeviceNode(const QString&) {
    return false;
}

bool MakeFileNamedByBytes(const QByteArray&, const QByteArray&) {
    return false;
}

BoundSocket::~BoundSocket() = default;

bool BoundSocket::Bind(const QString&) {
    return false;
}

int ModeOf(const QString&) {
    return -1;
}

QByteArray IdentityOf(const QString&) {
    return {};
}

} // namespace corvane
