// Backend: one operation per remote command.
#include "client/backend.h"

namespace {

QString key(const char* text) { return QString::fromLatin1(text); }

} // namespace

void Backend::request(const QString& word, const QJsonObject& parameters)
{
    sendMessage(convertToJSonString(word, parameters, true), true);
}

void Backend::getStatus() { request(key("GetStatus")); }

void Backend::clearOldStatus() { request(key("ClearOldStatus")); }

void Backend::getCurrentSequenceId() { request(key("GetCurrentSequenceId")); }

void Backend::getCurrentSequenceName() { request(key("GetCurrentSequenceName")); }

void Backend::getCurrentStartingListId() { request(key("GetCurrentStartingListId")); }

void Backend::getCurrentStartingListName() { request(key("GetCurrentStartingListName")); }

void Backend::getAllSequences() { request(key("GetAllSequences")); }

void Backend::getEthernet() { request(key("GetEthernetSettings")); }

void Backend::getWifi() { request(key("GetWifiSettings")); }

void Backend::getWifiEnabled() { request(key("GetWifiEnabled")); }

void Backend::getNetworkList() { request(key("GetNetworkList")); }

void Backend::getSettings() { request(key("GetSettings")); }

void Backend::getVersionNumber() { request(key("GetVersionNumber")); }

void Backend::getSerialNumber() { request(key("GetSerialNumber")); }

void Backend::getGPSEnabled() { request(key("GetGPSEnabled")); }

void Backend::getGPSSyncMode() { request(key("GetGPSSyncMode")); }

void Backend::getGPSTimeZoneShift() { request(key("GetGPSTimeZoneShift")); }

void Backend::getRepetitionTimes() { request(key("GetRepetitionTimes")); }

void Backend::stopSequence() { request(key("SetStopSequence")); }

void Backend::pauseSequence() { request(key("SetPauseSequence")); }

void Backend::restartSequence() { request(key("SetRestartSequence")); }

void Backend::sendSetEnabledOutputStatus() { request(key("SetEnableOutputStatus")); }

void Backend::sendSetDisableOutputStatus() { request(key("SetDisableOutputStatus")); }

void Backend::enableWifi(bool enable) { request(enable ? key("SetEnableWifi") : key("SetDisableWifi")); }

void Backend::startCalibration() { request(key("SetStartOscillatorCalibration")); }

void Backend::stopCalibration() { request(key("SetStopOscillatorCalibration")); }

void Backend::startTestCalibration() { request(key("SetStartTestOscillatorCalibration")); }

void Backend::stopTestCalibration() { request(key("SetStopTestOscillatorCalibration")); }

void Backend::setCurrentSequenceId(const QString& sequenceId)
{
    request(key("SetCurrentSequenceId"), { { key("SequenceId"), sequenceId } });
}

void Backend::setCurrentSequenceName(const QString& sequenceName)
{
    request(key("SetCurrentSequenceName"), { { key("SequenceName"), sequenceName } });
}

void Backend::setCurrentStartingListId(const QString& startingListId)
{
    request(key("SetCurrentStartingListId"), { { key("StartingListId"), startingListId } });
}

void Backend::setCurrentStartingListName(const QString& startingListName)
{
    request(key("SetCurrentStartingListName"), { { key("StartingListName"), startingListName } });
}

void Backend::deleteSequenceById(const QString& sequenceId)
{
    request(key("DeleteSequenceById"), { { key("SequenceId"), sequenceId } });
}

void Backend::deleteSequenceByName(const QString& sequenceName)
{
    request(key("DeleteSequenceByName"), { { key("SequenceName"), sequenceName } });
}

void Backend::deleteStartingListById(const QString& startingListId)
{
    request(key("DeleteStartingListById"), { { key("StartingListId"), startingListId } });
}

void Backend::deleteStartingListByName(const QString& startingListName)
{
    request(key("DeleteStartingListByName"), { { key("StartingListName"), startingListName } });
}

void Backend::setNetwork(const QString& networkName, const QString& password)
{
    request(key("SetNetwork"), { { key("SSID"), networkName }, { key("Password"), password } });
}

void Backend::setSettings(int language, int dateFormat, int timeFormat, int visualizationMode, bool isHighContrast,
    bool isTapHandlerEnabled, bool isShowTimeOfDay, bool isCheckFalseStart, bool isGenerateStart, int offMode,
    bool isSkipOutOfWindow, bool isRestartWithNextMinute, int delayFalseStart, int outputSoundVolume,
    int displayboardMode, int powerSaveTime, int brightnessMode, int brightness, int displayboardTimeColor)
{
    request(key("SetSettings"),
        {
            { key("Language"), language },
            { key("DateFormat"), dateFormat },
            { key("TimeFormat"), timeFormat },
            { key("VisualizationMode"), visualizationMode },
            { key("IsHighContrast"), isHighContrast },
            { key("IsTapHandlerEnabled"), isTapHandlerEnabled },
            { key("IsShowTimeOfDay"), isShowTimeOfDay },
            { key("IsCheckFalseStart"), isCheckFalseStart },
            { key("IsGenerateStart"), isGenerateStart },
            { key("OffMode"), offMode },
            { key("IsSkipOutOfWindow"), isSkipOutOfWindow },
            { key("IsRestartWithNextMinute"), isRestartWithNextMinute },
            { key("DelayFalseStart"), delayFalseStart },
            { key("OutputSoundVolume"), outputSoundVolume },
            { key("DisplayboardMode"), displayboardMode },
            { key("PowerSaveTime"), powerSaveTime },
            { key("BrightnessMode"), brightnessMode },
            { key("Brightness"), brightness },
            { key("DisplayboardTimeColor"), displayboardTimeColor },
        });
}

void Backend::setGPSEnabled(bool isEnabled) { request(key("SetGPSEnabled"), { { key("IsEnabled"), isEnabled } }); }

void Backend::setGPSSyncMode(int gpsSyncMode)
{
    request(key("SetGPSSyncMode"), { { key("GPSSyncMode"), gpsSyncMode } });
}

void Backend::setGPSTimeZoneShift(int gpsTimeZoneShift)
{
    request(key("SetGPSTimeZoneShift"), { { key("GPSTimeZoneShift"), gpsTimeZoneShift } });
}

void Backend::setEthernet(const QString& address, const QString& netMask, const QString& mode)
{
    request(key("SetEthernet"), { { key("Address"), address }, { key("NetMask"), netMask }, { key("Mode"), mode } });
}

void Backend::setWifi(const QString& address, const QString& netMask, const QString& mode)
{
    request(key("SetWifi"), { { key("Address"), address }, { key("NetMask"), netMask }, { key("Mode"), mode } });
}

void Backend::setRepetitionTimes(const QString& repetitionTime1, const QString& repetitionTime2,
    const QString& repetitionTime3, const QString& repetitionTimeIndex)
{
    QJsonObject parameters;
    if (!repetitionTime1.isEmpty())
        parameters.insert(key("RepetitionTime1"), repetitionTime1);
    if (!repetitionTime2.isEmpty())
        parameters.insert(key("RepetitionTime2"), repetitionTime2);
    if (!repetitionTime3.isEmpty())
        parameters.insert(key("RepetitionTime3"), repetitionTime3);
    if (!repetitionTimeIndex.isEmpty())
        parameters.insert(key("RepetitionTimeIndex"), repetitionTimeIndex.toInt(nullptr, 10));
    request(key("SetRepetitionTimes"), parameters);
}

void Backend::setSema(
    int semaColor, int semaSound, const QString& semaText, const QString& showTime, const QString& showDate)
{
    request(key("SetSema"),
        {
            { key("ShowTime"), showTime },
            { key("ShowDate"), showDate },
            { key("Text"), semaText },
            { key("Color"), semaColor },
            { key("Sound"), semaSound },
        });
}

void Backend::setBibNumber(boost::optional<uint> bibNumber)
{
    QJsonObject parameters;
    if (bibNumber)
        parameters.insert(key("BibNumber"), qint64(*bibNumber));
    request(key("SetBibNumber"), parameters);
}

void Backend::sendText(const QString& text)
{
    sendMessage(convertToJSonString(key("DisplayboardOutput"), { { key("Text"), text } }, true), false);
}

void Backend::setSequence(const QString& sequenceId, const QString& sequenceName, const QList<SemaInterval>& intervals)
{
    request(key("SetSequence"),
        {
            { key("SequenceId"), sequenceId },
            { key("SequenceName"), sequenceName },
            { key("Sequence"), intervalsToJson(intervals) },
        });
}

void Backend::startSequence(int sequenceMode, const QString& startTime, const QString& startDate,
    const QString& repetitionTime, const QString& sequenceId, const QString& sequenceName,
    const QList<SemaInterval>& intervals, bool withIntervals)
{
    QJsonObject parameters {
        { key("SequenceMode"), sequenceMode },
        { key("StartTime"), startTime },
        { key("StartDate"), startDate },
        { key("RepetitionTime"), repetitionTime },
    };
    if (!sequenceId.isEmpty())
        parameters.insert(key("SequenceId"), sequenceId);
    if (!sequenceName.isEmpty())
        parameters.insert(key("SequenceName"), sequenceName);
    if (withIntervals)
        parameters.insert(key("Sequence"), intervalsToJson(intervals));
    request(key("SetStartSequence"), parameters);
}

void Backend::setSequenceQML(const QString& sequenceId, const QString& sequenceName, const QVariantList& list)
{
    setSequence(sequenceId, sequenceName, mapsToIntervals(list));
}

void Backend::setTestSequence(const QString& sequenceId, const QString& sequenceName)
{
    setSequence(sequenceId, sequenceName, testSequence());
}

void Backend::startSequenceQML(
    int sequenceMode, const QString& startTime, const QString& startDate, const QString& repetitionTime)
{
    startSequenceQML(sequenceMode, startTime, startDate, repetitionTime, QString(), QString(), QVariantList());
}

void Backend::startSequenceQML(int sequenceMode, const QString& startTime, const QString& startDate,
    const QString& repetitionTime, const QString& sequenceId)
{
    startSequenceQML(sequenceMode, startTime, startDate, repetitionTime, sequenceId, QString(), QVariantList());
}

void Backend::startSequenceQML(int sequenceMode, const QString& startTime, const QString& startDate,
    const QString& repetitionTime, const QString& sequenceId, const QString& sequenceName)
{
    startSequenceQML(sequenceMode, startTime, startDate, repetitionTime, sequenceId, sequenceName, QVariantList());
}

void Backend::startSequenceQML(int sequenceMode, const QString& startTime, const QString& startDate,
    const QString& repetitionTime, const QString& sequenceId, const QString& sequenceName,
    const QVariantList& listSemaInterval)
{
    const QList<SemaInterval> intervals = mapsToIntervals(listSemaInterval);
    startSequence(
        sequenceMode, startTime, startDate, repetitionTime, sequenceId, sequenceName, intervals, !intervals.isEmpty());
}

void Backend::setStartingList(
    const QString& startingListId, const QString& startingListName, const QVariantList& listStartingList)
{
    setStartingList(startingListId, startingListName, listStartingList, false);
}

void Backend::setStartingList(const QString& startingListId, const QString& startingListName,
    const QVariantList& listStartingList, bool selectStartList)
{
    request(key("SetStartingList"),
        {
            { key("StartingListId"), startingListId },
            { key("StartingListName"), startingListName },
            { key("StartingList"), startingListToJson(listStartingList) },
        });
    if (selectStartList)
        setCurrentStartingListId(startingListId);
}
