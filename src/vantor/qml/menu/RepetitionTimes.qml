import QtQuick 2.15
import velmora.Orvane 1.0

// The three preset repetition times of the start sequences, one per page. Every change is
// written at once; leaving the screen sends the settings to the remote clients.
SettingsForm {
    id: root

    function titleText() {
        return qsTr("SETTINGS")
    }

    function appendSettings() {
        var titles = [qsTr("Repetition time 1"), qsTr("Repetition time 2"), qsTr("Repetition time 3")]
        for (var index = 1; index <= 3; ++index) {
            var time = application["repetitionTime" + index]
            // Hours stay hidden unless a time is an hour or longer, which a remote client can set.
            settingsModel.append(settingEntry("repetitionTime" + index, titles[index - 1], "time", {
                "time": time, "isShowHours": time >= DateTimeUtil.QH1 }))
        }
    }

    onSettingChanged: {
        if (id === "repetitionTime1" || id === "repetitionTime2" || id === "repetitionTime3")
            application[id] = value
    }

    onPopping: application.sendSettings()
}
