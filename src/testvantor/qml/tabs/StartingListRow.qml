import QtQuick 2.15
import QtQuick.Controls 2.15
import "../customcontrols"

// One row of the starting-list editor: its number, the bib number, the start time and the date.
RowDel {
    id: row

    property var editor
    property var list
    readonly property int rowIndex: index
    readonly property var rowBib: model.bibNumber
    readonly property var rowTime: model.time
    readonly property var rowDate: model.date

    isFlickable: false
    color: "transparent"

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
            RowTextItem {
                id: bibCell
                objectName: "bibCell"
                width: row.editor.bibWidth
                height: parent.height
                list: row.list
                item: row.rowBib
                selectAllWhenFocused: true
                validator: IntValidator {
                    bottom: 0
                }
                inputMethodHints: Qt.ImhDigitsOnly
                onEditingFinished: {
                    var entered = parseInt(bibCell.text, 10)
                    if (bibCell.text !== "" && !isNaN(entered))
                        row.list.model.setProperty(row.rowIndex, "bibNumber", entered)
                    if (bibCell.activeFocus) {
                        bibCell.focus = false
                        if (row.rowTime === "00:00:00")
                            timeCell.forceActiveFocus()
                    }
                }
            }
            RowTextItem {
                id: timeCell
                objectName: "startTimeCell"
                width: row.editor.timeDateWidth
                height: parent.height
                list: row.list
                item: row.rowTime
                selectAllWhenFocused: true
                inputMask: "99:99:99;_"
                onEditingFinished: {
                    row.list.model.setProperty(row.rowIndex, "time", timeCell.displayText)
                    if (timeCell.activeFocus) {
                        timeCell.focus = false
                        if (row.rowDate === "")
                            dateCell.forceActiveFocus()
                    }
                }
            }
            RowTextItem {
                id: dateCell
                objectName: "dateCell"
                width: row.editor.timeDateWidth
                height: parent.height
                list: row.list
                item: row.rowDate
                selectAllWhenFocused: true
                inputMask: "00/00/00;_"
                onEditingFinished: {
                    var shown = dateCell.displayText
                    row.list.model.setProperty(row.rowIndex, "date", shown === "__/__/__" ? "" : shown)
                    dateCell.focus = false
                }
            }
        }
    }
}
