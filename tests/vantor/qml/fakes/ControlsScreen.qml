import QtQuick 2.15
import "qrc:/customcontrols"
import "qrc:/styles"

// Every custom control on one screen, so that the tests use them with the screens' palette.
// The controls share the top of the screen; `shown` picks the one that is visible.
AppStackItem {
    id: root

    property int buttonPixelSizeVertical: 22
    property string shown: ""

    // A combo box made here, in the screen's context, with the given initial properties.
    function makeComboBox(properties) {
        return comboFactory.createObject(root, properties)
    }

    Component {
        id: comboFactory

        ComboBoxItem {
            width: 200
        }
    }

    SetNumber {
        objectName: "setNumber"
        visible: root.shown === objectName
    }

    SetTime {
        objectName: "setTime"
        visible: root.shown === objectName
    }

    SetDate {
        objectName: "setDate"
        visible: root.shown === objectName
    }

    ComboBoxItem {
        objectName: "comboBox"
        width: 200
        visible: root.shown === objectName
    }

    SwitchItem {
        objectName: "switchItem"
        x: 20
        y: 20
        visible: root.shown === objectName
    }

    IconButton {
        objectName: "iconButton"
        x: 20
        y: 20
        width: 200
        height: 40
        text: "Icon"
        visible: root.shown === objectName
    }

    ViewPageIndicator {
        objectName: "pageIndicator"
        height: 12
        visible: root.shown === objectName
    }

    CheckBoxItem {
        objectName: "checkBox"
        text: "Check"
        visible: root.shown === objectName
    }

    SliderBar {
        objectName: "sliderBar"
        visible: root.shown === objectName
    }

    PSSProgressBar {
        objectName: "progressBar"
        width: 100
        height: 10
        visible: root.shown === objectName
    }

    BusyIndicatorItem {
        objectName: "busy"
        running: false
        visible: root.shown === objectName
    }

    ScrollIndicatorItem {
        objectName: "scrollIndicator"
        visible: root.shown === objectName
    }

    MouseAreaItem {
        objectName: "mouseAreaItem"
        width: 100
        height: 40
        visible: root.shown === objectName
    }

    SwipeArea {
        objectName: "swipeArea"
        width: 100
        height: 40
        visible: root.shown === objectName
    }

    Item {
        objectName: "textField"
        width: 100
        height: 20
        visible: root.shown === objectName

        TextFieldBackgroundStyle {
        }
    }
}
