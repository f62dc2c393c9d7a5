// The frame reader of one port, fed bursts of bytes at moments the input chooses, and everything
// downstream of the frames it yields: the envelope parser and the Data reading for JSON frames, the
// synchronisation frame checks, the display-board text of raw frames.
//
// Input: one byte choosing the port's time-out (serial, Bluetooth, none), then bursts, each a byte
// of delay before it (in 20 ms steps) and a length byte followed by that many bytes; a length of 0
// is followed by a byte and a count, the byte repeated count times 1024, so that the bounds of the
// frames are within reach.
#include "core/utils.h"
#include "fuzzcheck.h"
#include "remote/commandrequest.h"
#include "remote/framereader.h"
#include "remote/hexframe.h"
#include "remote/serialpathfinder.h"

#include <QJsonArray>

#include <cstddef>
#include <cstdint>

using namespace Vl::Tavix3::UI;

namespace {

void checkJson(const QByteArray& bytes)
{
    FUZZ_CHECK(!bytes.isEmpty());
    FUZZ_CHECK(bytes.size() <= FrameReader::kMaxJsonBytes);
    QString type;
    QString section;
    QString id;
    QJsonArray data;
    if (!SerialPathFinder::parseRequest(bytes, type, section, id, data))
        return;
    const CommandRequest request({ 1, SerialEnum::SER_PCA }, type, section, data);
    for (const char* key : { "SequenceId", "SequenceMode", "StartTime", "BibNumber", "Language", "Color" }) {
        const QJsonValue value = request.lastValue(QLatin1String(key));
        CommandRequest::integer(value);
        CommandRequest::flag(value);
        CommandRequest::text(value);
    }
    for (int i = 0; i < request.itemCount(); ++i)
        CommandRequest::integer(request.item(i).value(QStringLiteral("GPSSyncMode")));
    FUZZ_CHECK(!SerialPathFinder::acknowledgement(id).isEmpty());
}

void checkHex(const QByteArray& bytes)
{
    FUZZ_CHECK(bytes.size() >= 2 && bytes.size() <= FrameReader::kMaxShortFrameBytes);
    FUZZ_CHECK(bytes.startsWith('$') && bytes.endsWith('\r'));
    FUZZ_CHECK(bytes.indexOf('$', 1) < 0);
    if (!HexFrame::isValid(bytes))
        return;
    FUZZ_CHECK(HexFrame::hexField(bytes, HexFrame::kLengthOffset, 4) == quint64(bytes.size()));
    HexFrame::hexField(bytes, HexFrame::kFlagsOffset, 8);
    HexFrame::hexByteAt(bytes, HexFrame::kEnableOffset);
    HexFrame::hexField(bytes, HexFrame::kTimeOffset, 16);
    HexFrame::command(bytes);
}

void checkRaw(const QByteArray& bytes)
{
    FUZZ_CHECK(bytes.size() < FrameReader::kMaxShortFrameBytes);
    const QString shown = SerialPathFinder::boardText(QString::fromLocal8Bit(bytes));
    FUZZ_CHECK(shown.size() <= 7);
    SerialPathFinder::outputText(shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const qint64 timeouts[] = { FrameReader::kTimeoutMs, FrameReader::kBluetoothTimeoutMs, 0 };
    FrameReader reader(timeouts[data[0] % 3]);
    qint64 now = 0;
    size_t pos = 1;
    while (pos + 2 <= size) {
        now += qint64(data[pos]) * 20;
        const size_t length = data[pos + 1];
        pos += 2;
        QByteArray burst;
        if (length == 0) {
            if (pos + 2 > size)
                break;
            burst = QByteArray(int(data[pos + 1]) * 1024, char(data[pos]));
            pos += 2;
        } else {
            const size_t available = size - pos < length ? size - pos : length;
            burst = QByteArray(reinterpret_cast<const char*>(data + pos), int(available));
            pos += available;
        }
        for (const char byte : burst) {
            const std::optional<FrameReader::Frame> frame = reader.feed(byte, now);
            FUZZ_CHECK(reader.pendingBytes() <= FrameReader::kMaxJsonBytes);
            if (!frame)
                continue;
            switch (frame->kind) {
            case FrameReader::FrameKind::Json:
                checkJson(frame->bytes);
                break;
            case FrameReader::FrameKind::Hex:
                checkHex(frame->bytes);
                break;
            case FrameReader::FrameKind::RawText:
                checkRaw(frame->bytes);
                break;
            }
        }
        reader.expire(now);
    }
    reader.reset();
    FUZZ_CHECK(reader.isIdle() && reader.pendingBytes() == 0);
    return 0;
}
