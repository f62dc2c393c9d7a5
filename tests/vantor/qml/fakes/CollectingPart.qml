import QtQuick 2.15

QtObject {
    Component.onDestruction: gc()
}
