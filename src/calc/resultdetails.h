#pragma once

class form1;

// The whole of a computation in the result list: "Copy" in the list's menu and Ctrl+C put the
// selected one on the clipboard as text, and the pointer resting on a row shows it.
void connectResultDetails(form1& window);
