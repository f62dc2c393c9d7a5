import QtQuick 2.15

// Layout of the service test settings: the paged settings screen as it is.
SettingsPage {
    id: root
    objectName: "formTestSettings"
}
