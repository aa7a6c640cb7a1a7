#pragma once
// SPDX-License-Identifier: MIT
// The one way the program touches its small state files ("Diri.dll", "pae.dll"). They sit in a
// folder that other people and programs may write to, so only a regular file is ever read,
// emptied or replaced: a symlink is never followed, a FIFO or a device is never opened, and a
// read takes a few kilobytes at most. A replacement is written aside, checked, flushed to disk
// and renamed into place, so a full disk or a crash leaves the old file whole and the write
// reports failure.

#include <QByteArray>
#include <QString>

namespace quellor::state_file {

// Both files hold one short line; nothing beyond this is ever read.
inline constexpr qint64 kReadLimit = 4096;

enum class ReadStatus {
    Ok,
    Missing,
    Refused, // there, but not a regular file
    Failed,  // a regular file that could not be read
};

struct ReadResult {
    ReadStatus status = ReadStatus::Failed;
    QByteArray bytes;       // at most the limit
    bool truncated = false; // the file holds more than `bytes`
};

ReadResult read(const QString& path, qint64 limit = kReadLimit);

// Cuts a regular file to 0 bytes with `mode`, creating it when missing. False when it is not a
// regular file or could not be emptied.
bool empty(const QString& path, unsigned mode);

struct WriteOptions {
    unsigned mode = 0666; // of a new file, less the umask; a file written in place gets it as is
    // Where the folder does not let a new file be created but the file itself is writable,
    // write it in place rather than fail (the old content is then not kept on failure).
    bool inPlaceFallback = false;
};

// Replaces the file with `bytes`. False, with the old file untouched, when the path is not a
// regular file or any step of the write failed.
bool replace(const QString& path, const QByteArray& bytes, const WriteOptions& options = {});

} // namespace quellor::state_file
