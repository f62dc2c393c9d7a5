import QtQuick 2.15
import velmora.Orvane 1.0

// The interval table of a sequence, read only: a built-in sequence named by its type number, or a
// custom sequence named by its file, which is loaded into the engine as the custom sequence.
SemaSequenceForm {
    id: root

    // Set once the sequence to show is known (and a custom file has been loaded).
    property bool sequenceResolved: false
    // False when a custom file could not be read: its table is not the engine's custom table.
    property bool sequenceLoaded: true

    function resolveSequence() {
        if (sequenceResolved)
            return
        sequenceResolved = true
        if (/^[0-9]+$/.test(objectName)) {
            sequence = parseInt(objectName)
            return
        }
        sequenceLoaded = sema.setCustomSequenceFromFile(objectName)
        sequence = SemaEnum.SEMA_SEQUENCE_CUSTOM
        if (!sequenceLoaded)
            utils.showInfoMessage(qsTr("The sequence file cannot be read") + application.languageChanged, 3000,
                                  colorRed)
    }

    // Fills the table from the engine, so that colour and sound names follow the language.
    function loadModel() {
        initializing = true
        swipeViewRepeater.model = 0
        menuModel = null
        resolveSequence()
        semaSequenceModel.clear()
        if (sequenceLoaded) {
            var times = sema.getListIntervalTime(sequence)
            var colors = sema.getListIntervalColor(sequence)
            var sounds = sema.getListIntervalSound(sequence)
            var falseStartWindows = sema.getListIntervalIsFalseStartWindow(sequence)
            for (var i = 0; i < times.length; ++i)
                semaSequenceModel.append({ "time": times[i], "color": sema.getStringColor(colors[i]),
                                           "sound": sema.getStringSound(sounds[i]),
                                           "isFalseStartWindow": falseStartWindows[i] === true })
        }
        menuModel = semaSequenceModel
        swipeViewRepeater.model = pageCount
        if (pageAfterReload >= 0 && pageAfterReload < pageCount)
            view.setCurrentIndex(pageAfterReload)
        pageAfterReload = -1
        initializing = false
    }

    swipeViewRepeater.delegate: Item {
        id: intervalPage

        readonly property int first: index * root.iconForPage

        objectName: "intervalPage" + index

        Row {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.leftMargin: marginLeftForm
            anchors.rightMargin: marginRightForm
            height: parent.height
            spacing: 5

            Repeater {
                model: Math.max(0, Math.min(root.iconForPage, root.semaSequenceModel.count - intervalPage.first))

                // A name wider than its column (as some translations are) shrinks, not below 12 px.
                delegate: Column {
                    readonly property var interval: root.semaSequenceModel.get(intervalPage.first + index)

                    objectName: "interval" + (intervalPage.first + index)
                    width: 90

                    Text {
                        objectName: "intervalTime"
                        width: parent.width
                        topPadding: 20
                        bottomPadding: 1
                        horizontalAlignment: Text.AlignHCenter
                        text: parent.interval.time + " sec"
                        color: colorText
                        font.pixelSize: 16
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 12
                        font.bold: true
                    }

                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: 72
                        height: 1
                        color: isBrightVersion ? "#363636" : "#e9dd2f"
                    }

                    Text {
                        objectName: "intervalColor"
                        width: parent.width
                        topPadding: 10
                        horizontalAlignment: Text.AlignHCenter
                        text: parent.interval.color
                        color: colorText
                        font.pixelSize: 15
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 12
                    }

                    Text {
                        objectName: "intervalSound"
                        width: parent.width
                        topPadding: 5
                        horizontalAlignment: Text.AlignHCenter
                        text: parent.interval.sound
                        color: colorText
                        font.pixelSize: 15
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 12
                    }

                    Text {
                        objectName: "intervalFalseStart"
                        width: parent.width
                        topPadding: 5
                        horizontalAlignment: Text.AlignHCenter
                        text: (parent.interval.isFalseStartWindow ? qsTr("False") : qsTr("No False"))
                              + application.languageChanged
                        color: colorText
                        font.pixelSize: 15
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: 12
                    }
                }
            }
        }
    }
}
