#include "platform/files/ReplaceFile.h"

#include "platform/files/TemporaryFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <string>

#include <windows.h>

namespace corvane {

namespace {

constexpr int kTemporaryNameAttempts = 100;

std::wstring Wide(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// Closes the handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(left, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// A complete, flushed temporary file beside `path`, whose path goes to `temporary`.
bool WriteTemporaryBeside(const QString& path, const FileContent& write, std::wstring* temporary) {
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        *temporary = Wide(folder + NewTemporaryName());
        FileHandle file(CreateFileW(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return false;
        }
        const HANDLE handle = file.Get();
        const bool written =
            write([handle](QByteArrayView piece) { return WriteAll(handle, piece); }) &&
            FlushFileBuffers(handle) != 0;
        if (file.Close() && written) {
            return true;
        }
        DeleteFileW(temporary->c_str());
        return false;
    }
    return false;
}

// Writes a temporary file and moves it to `path` with `moveFlags`; the temporary never stays.
bool WriteThenMove(const QString& path, const FileContent& write, DWORD moveFlags, DWORD* error) {
    std::wstring temporary;
    if (!WriteTemporaryBeside(path, write, &temporary)) {
        *error = GetLastError();
        return false;
    }
    if (MoveFileExW(temporary.c_str(), Wide(path).c_str(), moveFlags | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    *error = GetLastError();
    DeleteFileW(temporary.c_str());
    return false;
}

FileContent Whole(QByteArrayView bytes) {
    return [bytes](const FileSink& sink) { return sink(bytes); };
}

} // namespace

// Each move is written through to the disk: a folder has nothing left to sync afterwards.
bool ReplaceFileWhole(const QString& path, QByteArrayView bytes, FolderSync) {
    return ReplaceFileStreamed(path, Whole(bytes));
}

NewFileOutcome WriteNewFileWhole(const QString& path, QByteArrayView bytes, FolderSync) {
    return WriteNewFileStreamed(path, Whole(bytes));
}

bool SyncFolderOf(const QString&) {
    return true;
}

// A read-only file is protected, as a file nobody may write is elsewhere.
bool ReplaceFileStreamed(const QString& path, const FileContent& write, FolderSync) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }
    DWORD error = 0;
    return WriteThenMove(path, write, MOVEFILE_REPLACE_EXISTING, &error);
}

// Without MOVEFILE_REPLACE_EXISTING the move fails when anything holds the name meanwhile.
NewFileOutcome WriteNewFileStreamed(const QString& path, const FileContent& write, FolderSync) {
    if (GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
        return NewFileOutcome::AlreadyThere;
    }
    DWORD error = 0;
    if (WriteThenMove(path, write, 0, &error)) {
        return NewFileOutcome::Written;
    }
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS
               ? NewFileOutcome::AlreadyThere
               : NewFileOutcome::Failed;
}

} // namespace corvane
