#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Enumerations of the start sequences, shared by the engine, the command server and the QML.
class SemaEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum SemaColor { SEMA_COLOR_OFF = 0 };
    Q_ENUM(SemaColor)
    enum SemaSound { SEMA_SOUND_NONE = 0 };
    Q_ENUM(SemaSound)
    enum SemaOffMode { SEMA_OFF_MODE_OFF = 0 };
    Q_ENUM(SemaOffMode)
    enum SemaSequenceType { SEQUENCE_TYPE_NONE = 0 };
    Q_ENUM(SemaSequenceType)
    enum SemaSequenceMode { SEQUENCE_MODE_MANUAL = 0, SEQUENCE_MODE_AUTO = 1 };
    Q_ENUM(SemaSequenceMode)
    enum VisualizationMode { VISUALIZATION_MODE_1 = 0 };
    Q_ENUM(VisualizationMode)
};

} // namespace Vl::Tavix3::UI
