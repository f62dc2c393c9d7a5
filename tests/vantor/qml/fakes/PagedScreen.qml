import QtQuick 2.15
import "qrc:/menu"

// A screen with its own `page`, standing for the screens the run screen opens on top of itself.
MenuPage {
    property int page: 0
    property int poppingCount: 0

    onPopping: poppingCount += 1
}
