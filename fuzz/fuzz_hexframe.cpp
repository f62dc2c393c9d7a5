// The synchronisation frame checks and field readers on any bytes from "$" to carriage return, and
// the answers built from what a valid frame holds.
#include "fuzzcheck.h"
#include "remote/hexframe.h"

#include <cstddef>
#include <cstdint>

using namespace Vl::Tavix3::UI;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray frame(reinterpret_cast<const char*>(data), int(size));
    for (int offset = -2; offset <= frame.size() + 2; offset += 3) {
        HexFrame::extractString(frame, offset, 4);
        HexFrame::hexByteAt(frame, offset);
        HexFrame::hexField(frame, offset, 16);
    }
    if (!HexFrame::isValid(frame))
        return 0;
    FUZZ_CHECK(frame.size() >= HexFrame::kMinLength);
    FUZZ_CHECK(HexFrame::hexField(frame, HexFrame::kLengthOffset, 4) == quint64(frame.size()));
    FUZZ_CHECK(HexFrame::hexByteAt(frame, frame.size() - 3) == HexFrame::checksum(frame.left(frame.size() - 3)));

    const quint64 time = HexFrame::hexField(frame, HexFrame::kTimeOffset, 16);
    const QByteArray state = HexFrame::stateAnswer(HexFrame::hexByteAt(frame, HexFrame::kEnableOffset) != 0,
        qint64(time), HexFrame::hexByteAt(frame, HexFrame::kSynchronisedOffset) != 0);
    FUZZ_CHECK(state.size() == 84 && state.startsWith("!0054") && state.endsWith('\r'));
    FUZZ_CHECK(HexFrame::hexByteAt(state, 81) == HexFrame::checksum(state.left(81)));
    FUZZ_CHECK(HexFrame::switchAnswer() == "!000C7011BD\r");
    return 0;
}
