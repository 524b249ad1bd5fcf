/* Counts the X bells rung on the display, one line per bell appended to a log file.
 *
 *   bell_watch LOGFILE
 *
 * Wine turns MessageBeep into an X bell, so the end-to-end driver learns of the calculator's
 * beeps by counting the lines of LOGFILE. The file is created empty once the watcher listens;
 * the runner waits for it before starting the driver. Runs until killed. Native Linux program. */
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <stdio.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s LOGFILE\n", argv[0]);
        return 2;
    }
    int event_base = 0, error_base = 0, major = XkbMajorVersion, minor = XkbMinorVersion, reason = 0;
    Display* display = XkbOpenDisplay(NULL, &event_base, &error_base, &major, &minor, &reason);
    if (!display) {
        fprintf(stderr, "bell_watch: cannot open the display with XKB (reason %d)\n", reason);
        return 1;
    }
    if (!XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask)) {
        fprintf(stderr, "bell_watch: XKB bell events refused\n");
        return 1;
    }
    XSync(display, False);

    /* Created only now, so its existence tells the runner that no bell can be missed. */
    FILE* log = fopen(argv[1], "w");
    if (!log) {
        perror(argv[1]);
        return 1;
    }
    fflush(log);

    unsigned long bells = 0;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != event_base)
            continue;
        XkbEvent* xkb = (XkbEvent*)&event;
        if (xkb->any.xkb_type != XkbBellNotify)
            continue;
        ++bells;
        fprintf(log, "bell %lu percent %d window 0x%lx\n", bells, xkb->bell.percent,
                (unsigned long)xkb->bell.window);
        fflush(log);
    }
}
