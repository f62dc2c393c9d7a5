import QtQuick 2.15
import QtQuick.Controls 2.15

// A thin bar that shows the scroll position while the content is larger than the view.
ScrollIndicator {
    id: control

    property color color: "grey"

    padding: 3

    contentItem: Rectangle {
        implicitWidth: 3
        implicitHeight: 3
        color: control.color
        visible: control.size < 1.0
        opacity: 0.0

        states: State {
            name: "active"
            when: control.active
            PropertyChanges {
                target: control.contentItem
                opacity: 0.75
            }
        }

        transitions: Transition {
            from: "active"
            SequentialAnimation {
                PauseAnimation {
                    duration: 450
                }
                NumberAnimation {
                    target: control.contentItem
                    property: "opacity"
                    to: 0.0
                    duration: 200
                }
            }
        }
    }
}
