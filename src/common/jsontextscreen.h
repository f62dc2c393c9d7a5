#pragma once

#include <QByteArray>

namespace Vl::Common {

// The screening of a JSON text from the network before it is parsed. Qt's JSON parser leaks memory
// for every repeated key of an object, so a peer repeating keys could make the program grow without
// end; such texts are refused unparsed. So are texts nested deeper than any message of the two
// programs needs: a deep text small on the wire would cost far more to keep and to write out (each
// level indents every line below it when a document is stored).
class JsonTextScreen
{
public:
    // The deepest nesting of objects and arrays accepted, the envelope's own levels included: many
    // times what any message of the two programs needs.
    static constexpr int kMaxDepth = 32;

    // No object of the text repeats a key, and the nesting stays within kMaxDepth. The text need
    // not be valid JSON: what the parser would reject anyway may pass.
    static bool isSafeToParse(const QByteArray& json);
};

} // namespace Vl::Common
