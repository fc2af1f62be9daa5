/*
 * xdnd_drop: drops files on whatever X window lies under a screen point, the way a
 * file manager would, so that Wine turns the drop into a real WM_DROPFILES.
 *
 *   xdnd_drop X Y PATH...
 *
 * X and Y are root-window coordinates. Each PATH is a Unix path (relative paths are
 * taken from the current folder). Exit status: 0 when the target accepted the drop
 * and said it had finished with it, 1 when it refused or never answered, 2 on bad
 * arguments or no display.
 *
 * Only the source half of XDND is here: one action (copy), one type (text/uri-list).
 * The end-to-end tests start it under Wine through ntdll's __wine_unix_spawnvp.
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <errno.h>
#include <limits.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/time.h>
#include <unistd.h>

enum { XDND_VERSION = 5, ANSWER_TIMEOUT_MS = 10000 };

static Display *display;
static Window source;
static Atom a_aware, a_proxy, a_enter, a_position, a_status, a_leave, a_drop, a_finished;
static Atom a_selection, a_action_copy, a_uri_list, a_targets;

static char *uri_list;     /* what we hand out when the target asks for the data */
static size_t uri_list_len;

static void intern_atoms(void)
{
    a_aware = XInternAtom(display, "XdndAware", False);
    a_proxy = XInternAtom(display, "XdndProxy", False);
    a_enter = XInternAtom(display, "XdndEnter", False);
    a_position = XInternAtom(display, "XdndPosition", False);
    a_status = XInternAtom(display, "XdndStatus", False);
    a_leave = XInternAtom(display, "XdndLeave", False);
    a_drop = XInternAtom(display, "XdndDrop", False);
    a_finished = XInternAtom(display, "XdndFinished", False);
    a_selection = XInternAtom(display, "XdndSelection", False);
    a_action_copy = XInternAtom(display, "XdndActionCopy", False);
    a_uri_list = XInternAtom(display, "text/uri-list", False);
    a_targets = XInternAtom(display, "TARGETS", False);
}

static void append(char **buf, size_t *len, size_t *cap, const char *text, size_t n)
{
    if (*len + n + 1 > *cap) {
        *cap = (*len + n + 1) * 2;
        *buf = realloc(*buf, *cap);
        if (!*buf) {
            perror("xdnd_drop");
            exit(2);
        }
    }
    memcpy(*buf + *len, text, n);
    *len += n;
    (*buf)[*len] = 0;
}

/* Receivers decode the path with percent-unescaping, so anything outside the
   unreserved set (spaces above all) must be escaped or the file name changes. */
static void append_file_uri(char **buf, size_t *len, size_t *cap, const char *path)
{
    char absolute[PATH_MAX];
    const unsigned char *p;

    if (path[0] == '/') {
        snprintf(absolute, sizeof absolute, "%s", path);
    } else {
        char here[PATH_MAX];
        if (!getcwd(here, sizeof here)) {
            perror("xdnd_drop: getcwd");
            exit(2);
        }
        snprintf(absolute, sizeof absolute, "%s/%s", here, path);
    }

    append(buf, len, cap, "file://", 7);
    for (p = (const unsigned char *)absolute; *p; p++) {
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') ||
            strchr("/-_.~", *p)) {
            append(buf, len, cap, (const char *)p, 1);
        } else {
            char escaped[4];
            snprintf(escaped, sizeof escaped, "%%%02X", *p);
            append(buf, len, cap, escaped, 3);
        }
    }
    append(buf, len, cap, "\r\n", 2);
}

static long aware_version(Window w)
{
    Atom type;
    int format;
    unsigned long count, rest;
    unsigned char *data = NULL;
    long version = -1;

    if (XGetWindowProperty(display, w, a_aware, 0, 1, False, AnyPropertyType, &type, &format, &count,
                           &rest, &data) == Success &&
        data && count == 1 && format == 32)
        version = (long)*(unsigned long *)data;
    if (data)
        XFree(data);
    return version;
}

/* Messages go to the proxy when the target names one; the proxy then forwards them. */
static Window proxy_of(Window w)
{
    Atom type;
    int format;
    unsigned long count, rest;
    unsigned char *data = NULL;
    Window proxy = w;

    if (XGetWindowProperty(display, w, a_proxy, 0, 1, False, XA_WINDOW, &type, &format, &count, &rest,
                           &data) == Success &&
        data && count == 1)
        proxy = (Window) * (unsigned long *)data;
    if (data)
        XFree(data);
    return proxy;
}

/* Walks from the root down through the windows under the point and stops at the first
   one that speaks XDND: that is the top-level window a user's drag would be over. */
static Window find_target(int x, int y, long *version)
{
    Window root = DefaultRootWindow(display), w = root, child;
    int wx, wy;

    for (;;) {
        if (w != root && (*version = aware_version(w)) >= 0)
            return w;
        if (!XTranslateCoordinates(display, root, w, x, y, &wx, &wy, &child) || child == None)
            return None;
        w = child;
    }
}

static void send_message(Window to, Window target, Atom type, long l1, long l2, long l3, long l4)
{
    XEvent ev;

    memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.display = display;
    ev.xclient.window = target;
    ev.xclient.message_type = type;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = (long)source;
    ev.xclient.data.l[1] = l1;
    ev.xclient.data.l[2] = l2;
    ev.xclient.data.l[3] = l3;
    ev.xclient.data.l[4] = l4;
    XSendEvent(display, to, False, NoEventMask, &ev);
    XFlush(display);
}

static void answer_selection_request(const XSelectionRequestEvent *req)
{
    XEvent reply;
    Atom property = req->property != None ? req->property : req->target;

    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = req->display;
    reply.xselection.requestor = req->requestor;
    reply.xselection.selection = req->selection;
    reply.xselection.target = req->target;
    reply.xselection.time = req->time;
    reply.xselection.property = None;

    if (req->selection == a_selection && req->target == a_uri_list) {
        XChangeProperty(display, req->requestor, property, a_uri_list, 8, PropModeReplace,
                        (const unsigned char *)uri_list, (int)uri_list_len);
        reply.xselection.property = property;
    } else if (req->selection == a_selection && req->target == a_targets) {
        Atom offered[2] = { a_targets, a_uri_list };
        XChangeProperty(display, req->requestor, property, XA_ATOM, 32, PropModeReplace,
                        (const unsigned char *)offered, 2);
        reply.xselection.property = property;
    }
    XSendEvent(display, req->requestor, False, NoEventMask, &reply);
    XFlush(display);
}

static long now_ms(void)
{
    struct timeval tv;
    gettimeofday(&tv, NULL);
    return tv.tv_sec * 1000L + tv.tv_usec / 1000;
}

/* Waits for one client message of the given type, answering the target's requests for
   the data meanwhile: Wine fetches the data while it handles XdndEnter and XdndDrop,
   before it answers, so a source that only waits would deadlock it. */
static int wait_for(Atom type, XEvent *out)
{
    long deadline = now_ms() + ANSWER_TIMEOUT_MS;
    struct pollfd pfd = { ConnectionNumber(display), POLLIN, 0 };

    for (;;) {
        while (XPending(display)) {
            XEvent ev;
            XNextEvent(display, &ev);
            if (ev.type == SelectionRequest)
                answer_selection_request(&ev.xselectionrequest);
            else if (ev.type == ClientMessage && ev.xclient.message_type == type) {
                *out = ev;
                return 1;
            }
        }
        long left = deadline - now_ms();
        if (left <= 0)
            return 0;
        if (poll(&pfd, 1, (int)left) < 0 && errno != EINTR)
            return 0;
    }
}

int main(int argc, char **argv)
{
    char *end_x, *end_y;
    long x, y, version;
    size_t cap = 0;
    int i;
    Window target, to;
    XEvent answer;

    if (argc < 4) {
        fprintf(stderr, "usage: xdnd_drop X Y PATH...\n");
        return 2;
    }
    x = strtol(argv[1], &end_x, 10);
    y = strtol(argv[2], &end_y, 10);
    if (*end_x || *end_y) {
        fprintf(stderr, "xdnd_drop: X and Y must be numbers\n");
        return 2;
    }
    display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xdnd_drop: cannot open display\n");
        return 2;
    }
    intern_atoms();
    for (i = 3; i < argc; i++)
        append_file_uri(&uri_list, &uri_list_len, &cap, argv[i]);

    source = XCreateWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, InputOnly,
                           CopyFromParent, 0, NULL);
    XSetSelectionOwner(display, a_selection, source, CurrentTime);
    if (XGetSelectionOwner(display, a_selection) != source) {
        fprintf(stderr, "xdnd_drop: could not own XdndSelection\n");
        return 1;
    }

    target = find_target((int)x, (int)y, &version);
    if (target == None) {
        fprintf(stderr, "xdnd_drop: no XDND-aware window at %ld,%ld\n", x, y);
        return 1;
    }
    if (version > XDND_VERSION)
        version = XDND_VERSION;
    to = proxy_of(target);

    send_message(to, target, a_enter, version << 24, (long)a_uri_list, None, None);
    send_message(to, target, a_position, 0, (x << 16) | (y & 0xFFFF), CurrentTime, (long)a_action_copy);
    if (!wait_for(a_status, &answer)) {
        fprintf(stderr, "xdnd_drop: the target never answered XdndPosition\n");
        return 1;
    }
    if (!(answer.xclient.data.l[1] & 1)) {
        send_message(to, target, a_leave, 0, 0, 0, 0);
        fprintf(stderr, "xdnd_drop: the window at %ld,%ld refuses the drop\n", x, y);
        return 1;
    }

    send_message(to, target, a_drop, 0, CurrentTime, 0, 0);
    /* Version 2 targets do not send XdndFinished; Wine speaks version 4 or later. */
    if (version >= 2 && !wait_for(a_finished, &answer)) {
        fprintf(stderr, "xdnd_drop: the target never finished the drop\n");
        return 1;
    }
    XDestroyWindow(display, source);
    XCloseDisplay(display);
    free(uri_list);
    return 0;
}
