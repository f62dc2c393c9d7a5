#include "remote/framereader.h"

namespace Vl::Tavix3::UI {

FrameReader::FrameReader(qint64 timeoutMs)
    : m_timeoutMs(timeoutMs)
{
}

std::optional<FrameReader::Frame> FrameReader::feed(char byte, qint64 nowMs)
{
    expire(nowMs);
    m_lastByteMs = nowMs;
    switch (m_mode) {
    case Mode::Json:
        return feedJson(byte);
    case Mode::Hex:
        return feedHex(byte);
    case Mode::Idle:
        break;
    }
    if (byte == kTab) {
        m_mode = Mode::Json;
        m_frameOpen = true;
        m_buffer.clear();
    } else if (byte == kHexStart) {
        m_mode = Mode::Hex;
        m_buffer = QByteArray(1, kHexStart);
    }
    // Any other byte outside a frame is noise and goes.
    return std::nullopt;
}

std::optional<FrameReader::Frame> FrameReader::feedJson(char byte)
{
    if (byte == kTab) {
        m_frameOpen = true;
        m_buffer.clear();
        return std::nullopt;
    }
    if (byte == kStx) {
        m_frameOpen = false;
        QByteArray bytes;
        bytes.swap(m_buffer);
        if (bytes.startsWith(kEsc))
            return Frame { FrameKind::RawText, bytes.mid(1) };
        if (bytes.isEmpty())
            return std::nullopt;
        return Frame { FrameKind::Json, bytes };
    }
    if (!m_frameOpen)
        return std::nullopt;
    const int limit = m_buffer.startsWith(kEsc) ? kMaxShortFrameBytes : kMaxJsonBytes;
    if (m_buffer.size() >= limit) {
        dropOversized();
        return std::nullopt;
    }
    m_buffer.append(byte);
    return std::nullopt;
}

std::optional<FrameReader::Frame> FrameReader::feedHex(char byte)
{
    if (byte == kHexStart) {
        m_buffer = QByteArray(1, kHexStart);
        return std::nullopt;
    }
    if (m_buffer.size() >= kMaxShortFrameBytes) {
        dropOversized();
        return std::nullopt;
    }
    m_buffer.append(byte);
    if (byte != kCarriageReturn)
        return std::nullopt;
    m_mode = Mode::Idle;
    QByteArray bytes;
    bytes.swap(m_buffer);
    return Frame { FrameKind::Hex, bytes };
}

void FrameReader::dropOversized()
{
    m_mode = Mode::Json;
    m_frameOpen = false;
    m_buffer = QByteArray();
}

bool FrameReader::expire(qint64 nowMs)
{
    if (m_mode != Mode::Idle && m_timeoutMs > 0 && nowMs - m_lastByteMs >= m_timeoutMs)
        reset();
    return isIdle();
}

void FrameReader::suspendTimeout(qint64 durationMs)
{
    if (m_mode != Mode::Idle && durationMs > 0)
        m_lastByteMs += durationMs;
}

void FrameReader::reset()
{
    m_mode = Mode::Idle;
    m_frameOpen = false;
    m_buffer = QByteArray();
}

} // namespace Vl::Tavix3::UI
