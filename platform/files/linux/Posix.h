#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cerrno>

// What every part of the program that calls the system directly on Linux shares: descriptors that
// close themselves, calls repeated when a signal interrupts them, whole writes, paths' parents.
namespace corvane {

// Calls `call` again for as long as a signal interrupts it.
template <typename Call> auto Uninterrupted(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(other.Release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    ~Descriptor() { Close(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Whether everything written reached the file: some file systems report errors only here.
    // Never retried: Linux has released the descriptor even when close is interrupted.
    bool Close();

private:
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

    int fd_ = -1;
};

// Writes every byte, however many calls it takes; false on the first error.
bool WriteAll(int fd, QByteArrayView bytes);

// The folder that holds `path` ("/" for the root's children and for the root itself).
QByteArray ParentOf(const QByteArray& path);

} // namespace corvane
