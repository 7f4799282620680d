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
    const auto size = static_cast<qint64>(m_used);
    if (!m_failed && size > 0 && m_file.write(m_buffer.data(), size) != size)
        fail();
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
