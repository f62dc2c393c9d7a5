import QtQuick 2.15
import "qrc:/customcontrols"
import "qrc:/styles"

// Every custom control on one screen, so that the tests use them with the screens' palette.
AppStackItem {
    id: root

    property int buttonPixelSizeVertical: 22

    Column {
        spacing: 2

        SetNumber {
            objectName: "setNumber"
        }

        SetTime {
            objectName: "setTime"
        }

        SetDate {
            objectName: "setDate"
        }

        ComboBoxItem {
            objectName: "comboBox"
            width: 200
        }

        SwitchItem {
            objectName: "switchItem"
        }

        IconButton {
            objectName: "iconButton"
            width: 200
            height: 40
            text: "Icon"
        }

        ViewPageIndicator {
            objectName: "pageIndicator"
            height: 12
        }

        CheckBoxItem {
            objectName: "checkBox"
            text: "Check"
        }

        SliderBar {
            objectName: "sliderBar"
        }

        PSSProgressBar {
            objectName: "progressBar"
            width: 100
            height: 10
        }

        BusyIndicatorItem {
            objectName: "busy"
            running: false
        }

        ScrollIndicatorItem {
            objectName: "scrollIndicator"
        }

        MouseAreaItem {
            objectName: "mouseAreaItem"
            width: 100
            height: 40
        }

        SwipeArea {
            objectName: "swipeArea"
            width: 100
            height: 40
        }

        Item {
            objectName: "textField"
            width: 100
            height: 20

            TextFieldBackgroundStyle {
            }
        }
    }
}
