import QtQuick 2.15
import QtQuick.Controls 2.15

// The busy indicator of the wait overlay: a still ring under a turning one.
BusyIndicator {
    id: control

    property int dimension: 112

    contentItem: Item {
        implicitWidth: control.dimension
        implicitHeight: control.dimension
        opacity: control.running ? 1 : 0

        Behavior on opacity {
            NumberAnimation {
                duration: 250
            }
        }

        Image {
            objectName: "stillImage"
            // Each ground has a ring of its own grey: none reads on both.
            source: application.isHighContrast ? "qrc:/resources/wait_A_dark.png" : "qrc:/resources/wait_A.png"
            width: control.dimension
            height: control.dimension
            anchors.centerIn: parent
        }

        Image {
            id: turning
            objectName: "turningImage"
            // The yellow arc vanishes on the bright theme's yellow ground: there it is dark.
            source: application.isHighContrast ? "qrc:/resources/wait_b_dark.png" : "qrc:/resources/wait_b.png"
            width: control.dimension
            height: control.dimension
            anchors.centerIn: parent
            anchors.verticalCenterOffset: 5

            RotationAnimation on rotation {
                from: 0
                to: 360
                loops: Animation.Infinite
                duration: appEmulator ? 2500 : (isDebug ? 4000 : 6000)
                running: control.visible && control.running
            }
        }
    }
}
