#pragma once

#include "runtime/numberformat.h"

#include <QSaveFile>

#include <vector>

// The export file: whole numbers written one per line with CR LF, in ASCII. The lines go to a
// temporary file beside the target, which replaces the target only on commit(); a file that is
// not committed is removed, and an earlier target stays byte for byte as it was.
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
    // Writes what is left, syncs the file to the disk and replaces the target. False when
    // anything went wrong.
    bool commit();
    // The system's reason for the first failure.
    QString errorString() const { return m_error; }

private:
    static constexpr std::size_t kMaxLine = kMaxWholeNumberChars + 2;

    void flush();
    void startWriteBack();
    void fail();

    QSaveFile m_file;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    qint64 m_size = 0;        // bytes handed to the system so far
    qint64 m_writtenBack = 0;     // bytes whose write-back to the disk has been started
    qint64 m_previousStretch = 0; // where the stretch before the newest one starts
    bool m_failed = false;
    QString m_error;
};
