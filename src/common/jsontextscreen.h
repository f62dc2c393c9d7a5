#pragma once

#include <QByteArray>

namespace Vl::Common {

// The screening of a JSON text from the network before it is parsed. Qt's JSON parser leaks memory
// for every repeated key of an object, so a peer repeating keys could make the program grow without
// end; such texts are refused unparsed, as are texts nested deeper than the parser accepts.
class JsonTextScreen
{
public:
    // The deepest nesting of objects and arrays the JSON parser accepts.
    static constexpr int kMaxDepth = 1024;

    // No object of the text repeats a key, and the nesting stays within kMaxDepth. The text need
    // not be valid JSON: what the parser would reject anyway may pass.
    static bool isSafeToParse(const QByteArray& json);
};

} // namespace Vl::Common
