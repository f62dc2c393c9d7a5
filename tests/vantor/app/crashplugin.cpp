// A library the signal probe loads after start-up, as Qt loads its QML, image and audio plugins:
// a crash in the callback it calls has this library's frame on the stack.
namespace {
volatile int s_returns = 0;
}

extern "C" __attribute__((visibility("default"))) void crashplugin_call(void (*callback)())
{
    callback();
    ++s_returns; // keeps this frame on the stack while the callback runs (no tail call)
}
