import QtQuick 2.15

// The calibration menu: testing and running the timing-base calibration.
ListModel {
    id: model

    property var actions: ({
        "New": function(param) {}
    })

    function entry(name, text, page) {
        return { "name": name, "text": text, "title": text, "menuTitle": "", "image": "", "page": page,
                 "listModel": "", "back": "", "param": "", "form": "" }
    }

    Component.onCompleted: {
        append(entry("TestOscillatorCalibration", qsTr("Test Timing Base Calibration"), "TestOscillatorCalibration.qml"))
        append(entry("ExecuteOscillatorCalibration", qsTr("Execute Timing Base Calibration"),
                     "ExecuteOscillatorCalibration.qml"))
    }
}
