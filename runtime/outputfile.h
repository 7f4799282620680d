#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

// Where a file written at path lands: a symbolic link at path, or a chain of them, is followed
// to the name it finally gives, as opening path for writing follows it. Nothing, with errno
// set, for a chain that never ends.
std::optional<QString> followLinks(const QString &path);

// The export file: bytes written in order into a temporary file in the target's folder, which
// replaces the target only on commit(). A file that is not committed is removed, and an earlier
// target stays byte for byte as it was. A symbolic link at the target is followed: the file it
// finally names is replaced, in its own folder, and the link stays. The temporary has no name
// where the file system allows (O_TMPFILE), and a hidden one beside the target otherwise (FUSE,
// NFS, CIFS); it is made, put in place and removed through the folder's own descriptor, so that
// a folder renamed meanwhile takes it along. While it is written it is held by a lock of its
// open file description; the hidden temporaries of the target and of its kin that no write
// holds, left by a write a power cut interrupted, are removed as the file opens.
//
// Every call that waits for the disk is checked: the system reports a failed write-back once, to
// whichever call asks first, so a failure seen while the bytes go out fails the file as surely as
// one seen by the final sync. A sync that the file system cannot make (EINVAL) confirms nothing:
// the file goes in place, but unconfirmed.
class OutputFile
{
public:
    // kin: the names of the other files in the folder whose stale temporaries go too.
    explicit OutputFile(const QString &path, const QList<QByteArray> &kin = {});
    ~OutputFile(); // discards a file that is not committed
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool open();
    // Hands bytes to the system, at the end of the file. Once a write has failed, later bytes are
    // dropped: see ok().
    void write(const char *bytes, std::size_t size);
    bool ok() const { return m_error.isEmpty(); }

    // Waits until every byte of the file is on the disk. False when that failed: the file is then
    // discarded. A file system that cannot sync the file lets it go in place, and commit() then
    // says that it is unconfirmed.
    bool sync();

    enum class Commit {
        Failed,     // nothing replaced: the earlier target is as it was
        Done,       // in place, and the folder's record of it on the disk
        Unconfirmed // in place, but the folder's record of it is not known to be on the disk
    };
    // After sync(): puts the file in place of the target, and syncs the folder so that the new
    // name is on the disk too.
    Commit commit();

    // Removes the file, unless it is committed.
    void discard();

    // The system's reason for the first failure, or else why a sync confirms nothing.
    QString errorString() const { return ok() ? m_unconfirmed : m_error; }
    // A temporary file that discard() could not remove, and the system's reason: empty when none
    // is left.
    QString leftBehind() const { return m_leftBehind; }
    QString leftBehindReason() const { return m_leftBehindReason; }

private:
    void clearStale();
    void startWriteBack();
    bool fail(int error);
    // Whether a sync's result lets the file go in place: done, or one the file system cannot make.
    bool synced(int result);
    // Names the unnamed file, or makes a named one, in the folder, under a name of its own.
    bool createNamed(int unnamedFd);

    QString m_path;
    QList<QByteArray> m_kin;
    QByteArray m_folder;     // the target's folder, as the system reads it, once a link is followed
    QByteArray m_target;     // the target's name in it
    QByteArray m_temporary;  // the temporary's name in it, once it has one
    int m_folderFd = -1;
    int m_fd = -1;
    bool m_committed = false;
    std::int64_t m_size = 0;            // bytes handed to the system so far
    std::int64_t m_writtenBack = 0;     // bytes whose write-back to the disk has been started
    std::int64_t m_previousChunk = 0; // where the chunk before the newest one starts
    QString m_error;
    QString m_unconfirmed; // why a sync confirms nothing
    QString m_leftBehind;
    QString m_leftBehindReason;
};
