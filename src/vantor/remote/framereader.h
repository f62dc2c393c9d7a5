#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace Vl::Tavix3::UI {

// Splits the byte stream of one input port into the frames of the remote link: a JSON request or a
// raw display-board text between TAB and STX, a synchronisation frame from "$" to carriage return.
// It keeps the state of its port between bursts of bytes. As on the device's serial channels, a
// silence longer than the byte time-out ends a frame and the JSON reading that began at a TAB; until
// then bytes after an STX are ignored up to the next TAB. No frame grows beyond its bound: a longer
// one is dropped and reading starts again at the next TAB.
class FrameReader
{
public:
    enum class FrameKind { Json, RawText, Hex };

    // One complete frame: the JSON text or the raw text (in the port's 8-bit bytes) without the
    // framing bytes, or the synchronisation frame from "$" to carriage return inclusive.
    struct Frame
    {
        FrameKind kind;
        QByteArray bytes;
    };

    static constexpr char kTab = 0x09;
    static constexpr char kStx = 0x02;
    static constexpr char kEsc = 0x1B;
    static constexpr char kHexStart = '$';
    static constexpr char kCarriageReturn = 0x0D;
    // The longest JSON text and the longest raw text (with its ESC) or synchronisation frame.
    static constexpr int kMaxJsonBytes = 1 << 20;
    static constexpr int kMaxShortFrameBytes = 65535;
    // The byte time-out of the serial channels and of Bluetooth.
    static constexpr qint64 kTimeoutMs = 1000;
    static constexpr qint64 kBluetoothTimeoutMs = 3000;

    // timeoutMs: the silence that ends a frame; 0 for a port that never times out.
    explicit FrameReader(qint64 timeoutMs = kTimeoutMs);

    // Takes one byte read at nowMs (a monotonic clock); returns the frame it completes.
    std::optional<Frame> feed(char byte, qint64 nowMs);
    // Ends what a silence up to nowMs has ended; true when nothing is left in progress.
    bool expire(qint64 nowMs);
    // Time the reader's owner spent elsewhere (running a command) is no silence: the time-out of a
    // frame in progress moves on by that long.
    void suspendTimeout(qint64 durationMs);
    // The end of the input: drops whatever is in progress.
    void reset();
    // Drops the frame in progress and ignores bytes up to the next TAB, as for a frame too long.
    void skipFrame() { dropOversized(); }
    // Nothing in progress: no frame and no JSON reading.
    bool isIdle() const { return m_mode == Mode::Idle; }
    // Bytes held for the frame in progress.
    int pendingBytes() const { return m_buffer.size(); }

private:
    enum class Mode { Idle, Json, Hex };

    std::optional<Frame> feedJson(char byte);
    std::optional<Frame> feedHex(char byte);
    // Drops the frame in progress and ignores bytes up to the next TAB.
    void dropOversized();

    Mode m_mode = Mode::Idle;
    bool m_frameOpen = false; // JSON reading: collecting since a TAB
    QByteArray m_buffer;
    qint64 m_timeoutMs;
    qint64 m_lastByteMs = 0;
};

} // namespace Vl::Tavix3::UI
