#include "common/jsontextscreen.h"

#include <QSet>
#include <QString>

#include <vector>

namespace Vl::Common {

namespace {

// One open object or array.
struct Level
{
    bool isObject = false;
    bool expectsKey = false;
    QSet<QString> keys;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the string that starts after the quote at pos; pos ends on its closing quote (or the end).
// The text is decoded as the parser decodes it, so that keys compare as the parser compares them.
QString readString(const QByteArray& json, int& pos)
{
    QString text;
    QByteArray run; // raw UTF-8 bytes not decoded yet
    const int size = json.size();
    for (++pos; pos < size; ++pos) {
        const char c = json.at(pos);
        if (c == '"')
            break;
        if (c != '\\') {
            run.append(c);
            continue;
        }
        text += QString::fromUtf8(run);
        run.clear();
        if (++pos >= size)
            break;
        const char escaped = json.at(pos);
        switch (escaped) {
        case 'b':
            text += QChar('\b');
            break;
        case 'f':
            text += QChar('\f');
            break;
        case 'n':
            text += QChar('\n');
            break;
        case 'r':
            text += QChar('\r');
            break;
        case 't':
            text += QChar('\t');
            break;
        case 'u': {
            int code = 0;
            int digits = 0;
            while (digits < 4 && pos + 1 < size && hexDigit(json.at(pos + 1)) >= 0) {
                code = code * 16 + hexDigit(json.at(++pos));
                ++digits;
            }
            text += QChar(ushort(code));
            break;
        }
        default:
            text += QLatin1Char(escaped);
            break;
        }
    }
    return text + QString::fromUtf8(run);
}

} // namespace

bool JsonTextScreen::isSafeToParse(const QByteArray& json)
{
    std::vector<Level> levels;
    const int size = json.size();
    for (int pos = 0; pos < size; ++pos) {
        switch (json.at(pos)) {
        case '{':
        case '[':
            if (int(levels.size()) >= kMaxDepth)
                return false;
            levels.push_back(Level { json.at(pos) == '{', json.at(pos) == '{', {} });
            break;
        case '}':
        case ']':
            if (!levels.empty())
                levels.pop_back();
            break;
        case ',':
            if (!levels.empty() && levels.back().isObject)
                levels.back().expectsKey = true;
            break;
        case ':':
            if (!levels.empty())
                levels.back().expectsKey = false;
            break;
        case '"': {
            const QString text = readString(json, pos);
            if (levels.empty() || !levels.back().isObject || !levels.back().expectsKey)
                break;
            Level& level = levels.back();
            if (level.keys.contains(text))
                return false;
            level.keys.insert(text);
            level.expectsKey = false;
            break;
        }
        default:
            break;
        }
    }
    return true;
}

} // namespace Vl::Common
