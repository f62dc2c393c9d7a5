#pragma once

#include <QByteArray>
#include <QString>

namespace Vl::Tavix3::UI {

// The hexadecimal frames of the radio synchronisation partner: "$" requests and "!" answers of
// ASCII text, a 4-digit total length, a 4-digit command, a hexadecimal payload, a 2-digit checksum
// (the low 8 bits of the sum of every byte before it) and a carriage return.
class HexFrame
{
public:
    static constexpr int kMinLength = 12;
    static constexpr int kLengthOffset = 1;
    static constexpr int kCommandOffset = 5;
    // The payload of a switch request and of a state answer.
    static constexpr int kFlagsOffset = 9;
    static constexpr int kEnableOffset = 17;
    static constexpr int kTimeOffset = 19;
    static constexpr int kSynchronisedOffset = 35;
    static constexpr quint32 kApplyEnableFlag = 0x80000000u;
    static constexpr quint32 kTimeValidFlags = 0x7F800000u; // bits 23 to 30
    static constexpr quint32 kStateAnswerFlags = 0xFFC00000u;

    // The characters at offset, count of them, as text; empty when the frame is too short.
    static QString extractString(const QByteArray& frame, int offset, int count);
    // The value of the two hexadecimal digits at offset; 0 where the frame holds none.
    static quint8 hexByteAt(const QByteArray& frame, int offset);
    // The hexadecimal field of digits digits at offset as a number; 0 when the frame is too short.
    static quint64 hexField(const QByteArray& frame, int offset, int digits);
    // The low 8 bits of the sum of the bytes.
    static quint8 checksum(const QByteArray& bytes);
    // At least 12 bytes, the length field agrees with the size and the checksum with the bytes.
    static bool isValid(const QByteArray& frame);
    static QString command(const QByteArray& frame) { return extractString(frame, kCommandOffset, 4); }

    // The answer to a state request ("7010"): 84 bytes.
    static QByteArray stateAnswer(bool syncEnabled, qint64 connectTicks, bool synchronised);
    // The answer to every switch request ("7011").
    static QByteArray switchAnswer();
    // Completes an answer: the length over its placeholder, then the checksum and carriage return.
    static QByteArray finish(QByteArray answer);
};

} // namespace Vl::Tavix3::UI
