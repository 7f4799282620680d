#include "runtime/outputfile.h"

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

OutputFile::OutputFile(const QString &path)
    : m_file(path)
    , m_buffer(kBufferSize)
{
    m_file.setDirectWriteFallback(false); // never write over the target in place
}

bool OutputFile::open()
{
    if (!m_file.open(QIODevice::WriteOnly))
        fail();
    return ok();
}

void OutputFile::flush()
{
    // A full disk or a file-size limit first shows as a short write, with no error recorded yet;
    // writing the rest then fails outright, and the file records the system's reason.
    const char *next = m_buffer.data();
    auto left = static_cast<qint64>(m_used);
    while (!m_failed && left > 0) {
        const qint64 written = m_file.write(next, left);
        if (written <= 0)
            fail();
        else {
            next += written;
            left -= written;
        }
    }
    m_used = 0;
}

void OutputFile::fail()
{
    if (!m_failed)
        m_error = m_file.errorString();
    m_failed = true;
}

bool OutputFile::commit()
{
    flush();
    if (m_failed) {
        m_file.cancelWriting();
        return false;
    }
    if (!m_file.commit())
        fail();
    return ok();
}
