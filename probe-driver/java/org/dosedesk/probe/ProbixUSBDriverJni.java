package org.dosedesk.probe;

/**
 * Java entry points of probe-usb-driver. All methods return the library's
 * status codes (see the constants) and share the library's global state: call
 * them from one thread at a time.
 *
 * The native library is loaded from the path in the system property
 * "probix.library" when it is set, otherwise as "probe-usb-driver" from
 * java.library.path.
 */
public final class ProbixUSBDriverJni {
    public static final int PROBE_OK = 1;
    public static final int PROBE_TIMEOUT = 0x1001;
    public static final int PROBE_BAD_PARAMETER = 0x1002;
    public static final int PROBE_USB_ERROR = 0x1003;
    public static final int PROBE_TRANSFER_ERROR = 0x1004;
    public static final int PROBE_UNKNOWN_INFO = 0x1050;
    public static final int PROBE_BAD_INFO_SIZE = 0x1051;
    public static final int PROBE_RECORD_TOO_LARGE = 0x1052;
    public static final int PROBE_NOT_SUPPORTED = 0x1053;
    public static final int PROBE_MODEL_NOT_SUPPORTED = 0x1054;
    public static final int PROBE_ACCESS_DENIED = 0x1055;
    public static final int PROBE_SERVER_ERROR = 0x2001;
    public static final int PROBE_SERVER_NOT_RUNNING = 0x2002;

    /** Interface kinds. */
    public static final int IF_USB = 0;
    public static final int IF_USB_SECOND = 1;

    static {
        String path = System.getProperty("probix.library");
        if (path != null) {
            System.load(path);
        } else {
            System.loadLibrary("probe-usb-driver");
        }
    }

    private ProbixUSBDriverJni() {}

    public static native int Reenumerate(int kind, boolean clear);

    public static native int GetNbDevices(int kind);

    public static native int GetDeviceInfo(int kind, int index, ProbixDeviceInfo info);

    public static native int OpenDevice(int kind, int index, boolean exclusive);

    public static native long GetLastOpenedDeviceHandle();

    public static native int CloseDevice(long handle);

    public static native int SendCommand(long handle, ProbixDeviceRequest request, int timeoutMs);

    public static native int FreeLibrary();
}
