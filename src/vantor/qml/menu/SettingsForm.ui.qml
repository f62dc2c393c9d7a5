import QtQuick 2.15

// Layout of the settings screens: the paged settings screen as it is.
SettingsPage {
    id: root
    objectName: "formSettings"
}
