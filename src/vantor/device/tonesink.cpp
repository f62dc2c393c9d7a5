#include "device/tonesink.h"

#include "core/exceptionhandler.h"
#include "device/tonesinkchooser.h"

#include <QThreadPool>
#include <QtConcurrent>

#include <exception>

namespace Vl::Tavix3::UI {

void ToneSink::start(uint frequencyHz, uint durationMs)
{
    const std::shared_ptr<ToneSink> self = weak_from_this().lock();
    if (!self)
        return;
    // play() blocks for the tone's duration; the caller (often the engine's tick) must not.
    QtConcurrent::run(QThreadPool::globalInstance(), [self, frequencyHz, durationMs]() {
        try {
            self->play(frequencyHz, durationMs);
        } catch (const std::exception& e) {
            VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::ToneSink::start");
        }
    });
}

void ToneSink::setAudibilityObserver(AudibilityObserver) { }

std::shared_ptr<ToneSink> ToneSink::createDefault()
{
    return ToneSinkChooser::choose(ToneSinkChooser::forcedChoice(), ToneSinkChooser::platformOutputs()).sink;
}

} // namespace Vl::Tavix3::UI
