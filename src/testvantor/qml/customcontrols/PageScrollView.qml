import QtQuick 2.15
import QtQuick.Controls 2.15

// A tab page taller than the tab area: it scrolls vertically, shows its scroll bar while there is
// more to see, and gives its content the width beside that bar.
ScrollView {
    id: root

    // Not while the page is still without a height: a bar shown then would stay a moment.
    readonly property bool overflows: availableHeight > 0 && contentHeight > availableHeight
    // The width the content may take without lying under the scroll bar.
    readonly property real usableWidth: availableWidth - (overflows ? ScrollBar.vertical.width + 2 : 0)

    clip: true
    contentWidth: availableWidth
    ScrollBar.vertical.policy: overflows ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded
}
