#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Device services: brightness, power saving, volume, battery, network, drives and tones.
class SystemHw : public QObject
{
    Q_OBJECT

public:
    explicit SystemHw(QObject* parent = nullptr);

    void loadSettings();
    void setSound(uint freqHz, uint durationMs);
    void setHwSynchroAtTime(qint64 time, int first, int second);

    int brightness() const { return m_brightness; }
    void setBrightness(int value) { m_brightness = value; }
    int brightnessMode() const { return m_brightnessMode; }
    void setBrightnessMode(int value) { m_brightnessMode = value; }
    int outputSoundVolume() const { return m_outputSoundVolume; }
    void setOutputSoundVolume(int value) { m_outputSoundVolume = value; }
    int powerSaveTime() const { return m_powerSaveTime; }
    void setPowerSaveTime(int value) { m_powerSaveTime = value; }

private:
    int m_brightness = 0;
    int m_brightnessMode = 1;
    int m_outputSoundVolume = 10;
    int m_powerSaveTime = 1;
};

} // namespace Vl::Tavix3::UI
