import QtQuick 2.15
import QtQuick.Controls 2.15
import "../customcontrols"

// One row of the sequence editor: its number, the sign and the whole seconds of its time, its
// light, tone and false-start window.
RowDel {
    id: row

    property var editor
    property var list
    // The row's fields, read here where "model" is the row of the list.
    readonly property int rowIndex: index
    readonly property var rowTime: model.time
    readonly property var rowColor: model.color
    readonly property var rowSound: model.sound
    readonly property var rowWindow: model.isFalseStartWindow

    isFlickable: false
    color: "transparent"

    // A press on a chooser of a row that is not current makes the row current, which moves the
    // list's focus to the row and so ends the press; the chooser takes the focus back and opens its
    // list, so that one click is enough.
    function chooserPressed(chooser) {
        if (row.list.currentIndex === row.rowIndex)
            return
        row.list.currentIndex = row.rowIndex
        chooser.forceActiveFocus()
        chooser.popup.open()
    }

    function chooserChanged(field, value) {
        if (field === "sign")
            row.list.model.setProperty(row.rowIndex, "time", value * Math.abs(row.rowTime))
        else
            row.list.model.setProperty(row.rowIndex, field, value)
        row.list.forceActiveFocus()
    }

    control: Component {
        RowDelItem {
            list: row.list
            width: row.width
            height: row.height

            RowTextItem {
                width: row.editor.window.rowIndexWidth
                height: parent.height
                list: row.list
                textEditable: false
                item: row.rowIndex + 1
            }
            ComboBoxItem {
                id: signChooser
                objectName: "signChooser"
                width: row.editor.window.signWidth
                height: parent.height
                textRole: "text"
                font.pixelSize: 18
                model: row.editor.signEntries
                currentIndex: row.rowTime >= 0 ? 0 : 1
                onPressedChanged: if (pressed) row.chooserPressed(this)
                onActivated: if (initalized) row.chooserChanged("sign", row.editor.signEntries[currentIndex].value)
            }
            RowTextItem {
                id: timeCell
                objectName: "timeCell"
                width: row.editor.window.timeWidth
                height: parent.height
                list: row.list
                item: Math.abs(row.rowTime)
                validator: IntValidator {
                    bottom: 0
                }
                inputMethodHints: Qt.ImhDigitsOnly
                onEditingFinished: {
                    var entered = parseInt(timeCell.text, 10)
                    if (timeCell.text !== "" && !isNaN(entered)) {
                        var sign = row.editor.signEntries[signChooser.currentIndex].value
                        row.list.model.setProperty(row.rowIndex, "time", sign * entered)
                    }
                    timeCell.focus = false
                }
            }
            ComboBoxItem {
                objectName: "lightChooser"
                width: row.editor.window.colorWidth
                height: parent.height
                textRole: "text"
                font.pixelSize: 16
                model: row.editor.colorEntries
                Component.onCompleted: row.editor.window.setComboBoxCurrentIndex(this, row.rowColor)
                onPressedChanged: if (pressed) row.chooserPressed(this)
                onActivated: if (initalized) row.chooserChanged("color", row.editor.colorEntries[currentIndex].value)
            }
            RowItemSeparator {}
            ComboBoxItem {
                objectName: "toneChooser"
                width: row.editor.window.toneWidth
                height: parent.height
                textRole: "text"
                font.pixelSize: 16
                model: row.editor.toneEntries
                Component.onCompleted: row.editor.window.setComboBoxCurrentIndex(this, row.rowSound)
                onPressedChanged: if (pressed) row.chooserPressed(this)
                onActivated: if (initalized) row.chooserChanged("sound", row.editor.toneEntries[currentIndex].value)
            }
            RowItemSeparator {}
            ComboBoxItem {
                objectName: "windowChooser"
                width: row.editor.window.windowWidth - 2
                height: parent.height
                textRole: "text"
                font.pixelSize: 16
                model: row.editor.windowEntries
                Component.onCompleted: row.editor.window.setComboBoxCurrentIndex(this, row.rowWindow)
                onPressedChanged: if (pressed) row.chooserPressed(this)
                onActivated: if (initalized) row.chooserChanged("isFalseStartWindow", row.editor.windowEntries[currentIndex].value)
            }
            RowItemSeparator {}
        }
    }
}
