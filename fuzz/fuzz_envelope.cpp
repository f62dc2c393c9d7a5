// The JSON envelope parser, behind the screening the command server applies, on any text a client
// may send between TAB and STX, the Data reading
// rules of the commands, and the acknowledgement, which must carry the request's identifier back.
#include "core/utils.h"
#include "fuzzcheck.h"
#include "remote/commandrequest.h"
#include "remote/serialpathfinder.h"

#include <QJsonArray>

#include <cstddef>
#include <cstdint>

using namespace Vl::Tavix3::UI;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));
    QString type;
    QString section;
    QString id;
    QJsonArray items;
    if (!SerialPathFinder::parseRequest(text, type, section, id, items))
        return 0;

    const QString ack = SerialPathFinder::acknowledgement(id);
    FUZZ_CHECK(ack.startsWith(QChar(0x09)) && ack.endsWith(QChar(0x02)));
    QString ackType;
    QString ackSection;
    QString ackId;
    QJsonArray ackData;
    FUZZ_CHECK(Utils::parseJsonData(ack.mid(1, ack.size() - 2), ackType, ackSection, ackId, ackData));
    FUZZ_CHECK(ackType == QLatin1String("SemaACK"));
    FUZZ_CHECK(ackSection.isEmpty() && ackData.isEmpty());
    FUZZ_CHECK(ackId == id);

    const CommandRequest request({ 1, SerialEnum::SER_PCA }, type, section, items);
    for (int i = 0; i < request.itemCount(); ++i) {
        const QJsonObject item = request.item(i);
        for (auto it = item.begin(); it != item.end(); ++it) {
            const std::optional<int> number = CommandRequest::integer(it.value());
            if (number)
                FUZZ_CHECK(double(*number) == it.value().toDouble());
            CommandRequest::flag(it.value());
            CommandRequest::text(it.value());
            request.lastValue(it.key());
        }
    }
    request.firstItem();
    return 0;
}
