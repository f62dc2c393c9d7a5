#pragma once

#include "common/semainterval.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QRecursiveMutex>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <boost/optional.hpp>

class ClientStuff;

// TestVantor's remote client of Vantor's command server (QML type "Backend"): the connection, one
// request at a time waiting for its acknowledgement, the framing and parsing of what comes back,
// one operation per remote command, the answers as signals, and the sequence and starting-list
// files of the editors.
class Backend : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool currentStatus READ currentStatus NOTIFY statusChanged)
    Q_PROPERTY(QString ipAddress READ ipAddress WRITE setIpAddress NOTIFY ipAddressChanged)

public:
    using SemaInterval = Vl::Tavix3::UI::SemaInterval;

    static constexpr quint16 kServerPort = 21967;
    static constexpr int kReplyTimeoutMs = 3000;
    // An unfinished frame that grows beyond this is dropped, and the log says so: a peer that never
    // ends its frames must not fill the memory. Vantor's largest answer is its list of stored
    // sequences, which grows with the documents it holds: each is read up to 4 MiB, one sent through
    // the command port is under 1 MiB, and quoted inside the answer a document takes at most about
    // twice that. 256 MiB holds over a hundred documents of the command port's largest size, or 32
    // of the largest that Vantor reads.
    static constexpr int kMaxFrameBytes = 256 * 1024 * 1024;
    // Sequence and starting-list files larger than this are not read.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    explicit Backend(QObject* parent = nullptr);
    ~Backend() override;

    bool currentStatus() const;
    QString ipAddress() const { return m_ipAddress; }
    void setIpAddress(const QString& address);

    // The envelope.
    static QString createJsonData(
        const QString& type, const QString& section, const QString& id, const QJsonArray& data, bool framed);
    static QString convertToJSonString(const QString& section, const QJsonObject& data, bool framed);
    static bool parseJsonData(const QByteArray& bytes, QString& type, QString& section, QString& id, QJsonArray& data);
    static bool isValidJsonValue(const QJsonValue& value);

    // The send discipline: a request waits in the queue until the one before it is acknowledged.
    void sendMessage(const QString& message, bool waitForAck);
    void scanReceiveBuffer();
    void parseAnswerData(const QString& section, const QJsonArray& data);

    // The interval records of sequences.
    static void jsonToIntervals(const QJsonArray& array, QList<SemaInterval>& intervals);
    static QJsonArray intervalsToJson(const QList<SemaInterval>& intervals);
    static QList<SemaInterval> testSequence();
    void setSequence(const QString& sequenceId, const QString& sequenceName, const QList<SemaInterval>& intervals);
    void startSequence(int sequenceMode, const QString& startTime, const QString& startDate,
        const QString& repetitionTime, const QString& sequenceId, const QString& sequenceName,
        const QList<SemaInterval>& intervals, bool withIntervals);
    void setBibNumber(boost::optional<uint> bibNumber);

    // Requests without parameters.
    Q_INVOKABLE void getStatus();
    Q_INVOKABLE void clearOldStatus();
    Q_INVOKABLE void getCurrentSequenceId();
    Q_INVOKABLE void getCurrentSequenceName();
    Q_INVOKABLE void getCurrentStartingListId();
    Q_INVOKABLE void getCurrentStartingListName();
    Q_INVOKABLE void getAllSequences();
    Q_INVOKABLE void getEthernet();
    Q_INVOKABLE void getWifi();
    Q_INVOKABLE void getWifiEnabled();
    Q_INVOKABLE void getNetworkList();
    Q_INVOKABLE void getSettings();
    Q_INVOKABLE void getVersionNumber();
    Q_INVOKABLE void getSerialNumber();
    Q_INVOKABLE void getGPSEnabled();
    Q_INVOKABLE void getGPSSyncMode();
    Q_INVOKABLE void getGPSTimeZoneShift();
    Q_INVOKABLE void getRepetitionTimes();
    Q_INVOKABLE void stopSequence();
    Q_INVOKABLE void pauseSequence();
    Q_INVOKABLE void restartSequence();
    Q_INVOKABLE void sendSetEnabledOutputStatus();
    Q_INVOKABLE void sendSetDisableOutputStatus();
    Q_INVOKABLE void enableWifi(bool enable);
    // The GPS time-base calibration of the device: run, stop, and the test run.
    Q_INVOKABLE void startCalibration();
    Q_INVOKABLE void stopCalibration();
    Q_INVOKABLE void startTestCalibration();
    Q_INVOKABLE void stopTestCalibration();

    // Requests with parameters.
    Q_INVOKABLE void setCurrentSequenceId(const QString& sequenceId);
    Q_INVOKABLE void setCurrentSequenceName(const QString& sequenceName);
    Q_INVOKABLE void setCurrentStartingListId(const QString& startingListId);
    Q_INVOKABLE void setCurrentStartingListName(const QString& startingListName);
    Q_INVOKABLE void deleteSequenceById(const QString& sequenceId);
    Q_INVOKABLE void deleteSequenceByName(const QString& sequenceName);
    Q_INVOKABLE void deleteStartingListById(const QString& startingListId);
    Q_INVOKABLE void deleteStartingListByName(const QString& startingListName);
    Q_INVOKABLE void setNetwork(const QString& networkName, const QString& password);
    Q_INVOKABLE void setSettings(int language, int dateFormat, int timeFormat, int visualizationMode,
        bool isHighContrast, bool isTapHandlerEnabled, bool isShowTimeOfDay, bool isCheckFalseStart,
        bool isGenerateStart, int offMode, bool isSkipOutOfWindow, bool isRestartWithNextMinute, int delayFalseStart,
        int outputSoundVolume, int displayboardMode, int powerSaveTime, int brightnessMode, int brightness,
        int displayboardTimeColor);
    Q_INVOKABLE void setGPSEnabled(bool isEnabled);
    Q_INVOKABLE void setGPSSyncMode(int gpsSyncMode);
    Q_INVOKABLE void setGPSTimeZoneShift(int gpsTimeZoneShift);
    Q_INVOKABLE void setEthernet(const QString& address, const QString& netMask, const QString& mode);
    Q_INVOKABLE void setWifi(const QString& address, const QString& netMask, const QString& mode);
    Q_INVOKABLE void setRepetitionTimes(const QString& repetitionTime1, const QString& repetitionTime2,
        const QString& repetitionTime3, const QString& repetitionTimeIndex);
    Q_INVOKABLE void setSema(
        int semaColor, int semaSound, const QString& semaText, const QString& showTime, const QString& showDate);
    // Display-board text goes out at once, without waiting for an acknowledgement.
    Q_INVOKABLE void sendText(const QString& text);
    Q_INVOKABLE void setSequenceQML(const QString& sequenceId, const QString& sequenceName, const QVariantList& list);
    Q_INVOKABLE void setTestSequence(const QString& sequenceId, const QString& sequenceName);
    Q_INVOKABLE void startSequenceQML(
        int sequenceMode, const QString& startTime, const QString& startDate, const QString& repetitionTime);
    Q_INVOKABLE void startSequenceQML(int sequenceMode, const QString& startTime, const QString& startDate,
        const QString& repetitionTime, const QString& sequenceId);
    Q_INVOKABLE void startSequenceQML(int sequenceMode, const QString& startTime, const QString& startDate,
        const QString& repetitionTime, const QString& sequenceId, const QString& sequenceName);
    Q_INVOKABLE void startSequenceQML(int sequenceMode, const QString& startTime, const QString& startDate,
        const QString& repetitionTime, const QString& sequenceId, const QString& sequenceName,
        const QVariantList& listSemaInterval);
    Q_INVOKABLE void setStartingList(
        const QString& startingListId, const QString& startingListName, const QVariantList& listStartingList);
    Q_INVOKABLE void setStartingList(const QString& startingListId, const QString& startingListName,
        const QVariantList& listStartingList, bool selectStartList);

    // Files of the editors; fileName is the file dialog's URL or a plain path.
    Q_INVOKABLE bool saveSequence(
        const QString& sequenceId, const QString& sequenceName, const QVariantList& list, const QString& fileName);
    Q_INVOKABLE QVariantMap loadSequence(const QString& fileName);
    Q_INVOKABLE void saveStartingList(const QString& startingListId, const QString& startingListName,
        const QVariantList& list, const QString& fileName);
    Q_INVOKABLE QVariantMap loadStartingList(const QString& fileName);
    // The local path of a file dialog's URL.
    static QString localPath(const QString& fileName);

    // for unit testing
    ClientStuff* clientStuff() const { return m_clientStuff; }
    void setReplyTimeout(int ms);
    int replyTimeout() const { return m_replyTimeout; }
    QStringList requestQueue() const { return m_requestQueue; }
    QString currentRequestId() const { return m_currentRequestId; }
    QByteArray receiveBuffer() const { return m_receiveBuffer; }

public slots:
    void connectClicked();
    void disconnectClicked();
    void gotError(QAbstractSocket::SocketError err);
    void receivedSomething(const QByteArray& msg);
    void onReplyTimeout();
    // A raw send in Qt's data-stream framing, outside the queue; the command server does not read it.
    void sendClicked(const QString& text);

signals:
    void statusChanged(bool newStatus);
    void someError(QString err);
    void someMessage(QString msg);
    void ipAddressChanged();

    void semaStatus1(QString isActive, QString timeOfDay, QString isRunning, QString color, QString pixels,
        QString time, QString displayboardMode, QString bibNumber);
    void semaStatus2(QString isSynchronized, QString isGPSEnabled, QString isGPSValid, QString gpsSynchedStatus,
        QString isGPSSynchedByCountinuos, QString gpsNumSatellites);
    void semaStatus3(QString isWifiEnabled, QString wifiSignalLevel, QString batteryPerc, QString isExtSupplyValid,
        QString isLowBattery);
    void eventReceived(QString phisicalChannel, QString time, QString date, bool isAuto, int bibNumber);
    void calibrationReceived(QString message, QString duration, QString remaining);
    void versionNumber(QString version);
    void wifiEnabled(bool enabled);
    void wifiScanResultsDone(QVariantList list);
    void sequencesResultsDone(QVariantList list);
    void settings1Received(QVariant language, QVariant dateFormat, QVariant timeFormat, QVariant visualizationMode,
        QVariant isHighContrast, QVariant isTapHandlerEnabled, QVariant isShowTimeOfDay, QVariant isCheckFalseStart);
    void settings2Received(QVariant isGenerateStart, QVariant offMode, QVariant isSkipOutOfWindow,
        QVariant isRestartWithNextMinute, QVariant delayFalseStart);
    void settings3Received(QVariant outputSoundVolume, QVariant displayboardMode, QVariant powerSaveTime,
        QVariant brightnessMode, QVariant brightness, QVariant displayboardTimeColor);
    void currentSequenceName(QString sequenceName);
    void currentSequenceId(QString sequenceId);
    void gpsIsEnabled(bool enabled);
    void gpsSyncMode(int syncMode);
    void gpsTimeZoneShift(int timeZoneShift);
    void repetitionTimesReceived(
        QString repetitionTime1, QString repetitionTime2, QString repetitionTime3, QString repetitionTimeIndex);
    void ethernetSettings(QString address, QString netMask, QString mode);
    void wifiSettings(QString address, QString netMask, QString mode);

private:
    // The cached status texts, one per key of the status message.
    enum StatusKey {
        IsActive,
        DisplayboardMode,
        TimeOfDay,
        IsRunning,
        Color,
        YellowPixelCount,
        Time,
        IsSynchronized,
        IsGPSEnabled,
        IsGPSValid,
        GPSSynchedStatus,
        IsGPSSynchedByCountinuos,
        GPSNumSatellites,
        IsWifiEnabled,
        WifiSignalLevel,
        BatteryPerc,
        IsExtSupplyValid,
        IsLowBattery,
        BibNumber,
        StatusKeyCount
    };

    void request(const QString& word, const QJsonObject& parameters = QJsonObject());
    void onStatusChanged(bool newStatus);
    bool takeFrame(QByteArray& frame);
    void dispatch(const QString& type, const QString& section, const QString& id, const QJsonArray& data);
    void handleAcknowledgement(const QString& id);
    void readStatus(const QJsonObject& object);
    void emitSettings(const QJsonArray& data);
    void emitSequences(const QJsonArray& sequences);
    void reportFileError(const QString& text, const QString& path);
    static QList<SemaInterval> mapsToIntervals(const QVariantList& list);
    static QJsonArray startingListToJson(const QVariantList& list);

    QSettings m_settings;
    QString m_ipAddress;
    ClientStuff* m_clientStuff = nullptr;

    int m_replyTimeout = kReplyTimeoutMs;
    QMutex m_receiveMutex;
    QRecursiveMutex m_sendMutex;
    QString m_currentRequestId;
    QStringList m_requestQueue;
    QByteArray m_receiveBuffer;
    // Where the bytes not yet taken as frames begin.
    int m_readPosition = 0;
    // How much of an unfinished frame at the buffer's start has been searched for its end.
    int m_scannedBytes = 0;
    QTimer m_replyTimer;
    // True while received frames are being dispatched: bytes that arrive meanwhile (a handler that
    // lets the event loop run) are only buffered, and the running dispatch takes them in order.
    bool m_dispatching = false;
    // An unfinished frame was dropped for its size; the log is told once the scan ends.
    bool m_frameDropped = false;

    QString m_status[StatusKeyCount];
};
