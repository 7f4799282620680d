#pragma once

#include "runtime/numberformat.h"

#include <QSaveFile>

#include <vector>

// The export file: whole numbers written one per line with CR LF, in ASCII. The lines go to a
// temporary file beside the target, which replaces the target only on commit(); a file that is
// not committed is removed, and an earlier target stays byte for byte as it was.
//
// Every call that waits for the disk is checked: the system reports a failed write-back once, to
// whichever call asks first, so a failure seen while the lines go out fails the file as surely as
// one seen by the final sync.
class OutputFile
{
public:
    explicit OutputFile(const QString &path);

    bool open();
    void writeLine(double wholeNumber)
    {
        if (m_used + kMaxLine > m_buffer.size())
            flush();
        char *line = m_buffer.data() + m_used;
        const std::size_t length = writeWholeNumber(wholeNumber, line);
        line[length] = '\r';
        line[length + 1] = '\n';
        m_used += length + 2;
    }
    // False once any write has failed; later lines are dropped.
    bool ok() const { return !m_failed; }

    // Writes what is left and waits until every byte of the file is on the disk. False when
    // anything went wrong; the file is then removed.
    bool sync();

    enum class Commit {
        Failed,     // nothing replaced: the earlier target is as it was
        Done,       // in place, and the folder's record of it on the disk
        Unconfirmed // in place, but the folder could not be synced: a power cut may undo it
    };
    // After sync(): puts the file in place of the target, and syncs the folder so that the new
    // name is on the disk too.
    Commit commit();

    // The system's reason for the first failure.
    QString errorString() const { return m_error; }

private:
    static constexpr std::size_t kMaxLine = kMaxWholeNumberChars + 2;

    void flush();
    void startWriteBack();
    void fail(const QString &reason);
    void failWithErrno();

    QSaveFile m_file;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    qint64 m_size = 0;            // bytes handed to the system so far
    qint64 m_writtenBack = 0;     // bytes whose write-back to the disk has been started
    qint64 m_previousStretch = 0; // where the stretch before the newest one starts
    bool m_failed = false;
    QString m_error;
};

// The bytes free to the user in the file system that holds folder, read from the folder itself,
// so that no mount table is needed; -1, with the system's reason in error, when it cannot be read.
qint64 freeSpace(const QString &folder, QString *error);
