import QtQuick 2.15
import QtQuick.Layouts 1.15

// A panel in a layout: the full width with side margins, a light fill and a grey border.
Rectangle {
    Layout.leftMargin: 15
    Layout.rightMargin: 15
    Layout.topMargin: 5
    Layout.bottomMargin: 5
    Layout.fillWidth: true
    color: "#F4F2F5"
    border.color: "grey"
    border.width: 1
}
