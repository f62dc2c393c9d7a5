#include "remote/hexframe.h"

namespace Vl::Tavix3::UI {

QString HexFrame::extractString(const QByteArray& frame, int offset, int count)
{
    if (offset < 0 || count < 0 || offset > frame.size() - count)
        return QString();
    return QString::fromLatin1(frame.mid(offset, count));
}

quint8 HexFrame::hexByteAt(const QByteArray& frame, int offset) { return quint8(hexField(frame, offset, 2)); }

quint64 HexFrame::hexField(const QByteArray& frame, int offset, int digits)
{
    // Non-hexadecimal characters are skipped, as QByteArray::fromHex does.
    const QByteArray bytes = QByteArray::fromHex(extractString(frame, offset, digits).toLatin1());
    quint64 value = 0;
    for (const char byte : bytes)
        value = (value << 8) | quint8(byte);
    return value;
}

quint8 HexFrame::checksum(const QByteArray& bytes)
{
    quint8 sum = 0;
    for (const char byte : bytes)
        sum = quint8(sum + quint8(byte));
    return sum;
}

bool HexFrame::isValid(const QByteArray& frame)
{
    if (frame.size() < kMinLength)
        return false;
    if (hexField(frame, kLengthOffset, 4) != quint64(frame.size()))
        return false;
    const int checksumOffset = frame.size() - 3;
    // Both digits must be there: a field of one digit and a stray character is no checksum.
    const QByteArray digits = frame.mid(checksumOffset, 2);
    if (QByteArray::fromHex(digits).toHex().toUpper() != digits.toUpper())
        return false;
    return hexByteAt(frame, checksumOffset) == checksum(frame.left(checksumOffset));
}

QByteArray HexFrame::finish(QByteArray answer)
{
    const QByteArray length = QByteArray::number(answer.size() + 3, 16).toUpper().rightJustified(4, '0');
    answer.replace(kLengthOffset, 4, length);
    answer += QByteArray::number(checksum(answer), 16).toUpper().rightJustified(2, '0');
    answer += '\r';
    return answer;
}

QByteArray HexFrame::stateAnswer(bool syncEnabled, qint64 connectTicks, bool synchronised)
{
    QByteArray answer = QByteArrayLiteral("!0000") + "7010";
    answer += QByteArray::number(kStateAnswerFlags, 16).toUpper().rightJustified(8, '0');
    answer += syncEnabled ? "01" : "00";
    answer += QByteArray::number(quint64(connectTicks), 16).toUpper().rightJustified(16, '0');
    answer += synchronised ? "01" : "00";
    answer += QByteArray(44, '0');
    return finish(answer);
}

QByteArray HexFrame::switchAnswer() { return finish(QByteArrayLiteral("!0000") + "7011"); }

} // namespace Vl::Tavix3::UI
