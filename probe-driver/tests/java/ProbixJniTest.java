import org.dosedesk.probe.ProbixDeviceInfo;
import org.dosedesk.probe.ProbixDeviceRequest;
import org.dosedesk.probe.ProbixUSBDriverJni;

/**
 * Drives the JNI entry points from a real JVM, over the library built on the
 * simulated bus (its probes come from LIBUSB_SIM_DEVICES: a plain probe and a
 * probe with the second interface).
 */
public final class ProbixJniTest {
    private static int passed;
    private static int failed;

    private static void check(boolean ok, String what) {
        if (ok) {
            passed++;
        } else {
            failed++;
            System.out.println("  check failed: " + what);
        }
    }

    private static void checkEq(long got, long expected, String what) {
        check(got == expected, what + ": got " + Long.toHexString(got) + ", expected " + Long.toHexString(expected));
    }

    public static void main(String[] args) {
        checkEq(ProbixUSBDriverJni.Reenumerate(ProbixUSBDriverJni.IF_USB, true), ProbixUSBDriverJni.PROBE_OK, "Reenumerate(0)");
        checkEq(ProbixUSBDriverJni.Reenumerate(ProbixUSBDriverJni.IF_USB_SECOND, false), ProbixUSBDriverJni.PROBE_OK, "Reenumerate(1)");
        checkEq(ProbixUSBDriverJni.Reenumerate(2, false), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "Reenumerate(2)");
        checkEq(ProbixUSBDriverJni.GetNbDevices(0), 2, "GetNbDevices(0)");
        checkEq(ProbixUSBDriverJni.GetNbDevices(1), 1, "GetNbDevices(1)");

        ProbixDeviceInfo info = new ProbixDeviceInfo();
        info.m_devPath = "stale";
        checkEq(ProbixUSBDriverJni.GetDeviceInfo(0, 0, info), ProbixUSBDriverJni.PROBE_OK, "GetDeviceInfo");
        check(info.m_enumUniqueID.equals("JAVA-PROBE-SERIAL-000001"), "serial " + info.m_enumUniqueID);
        check(info.m_devPath.isEmpty(), "devPath empty");
        checkEq(info.m_vendorId & 0xffff, Integer.parseInt(System.getProperty("probix.vid"), 16), "vendor");
        check(!info.m_deviceUsed, "not used");
        // Index 256 uses the low 8 bits: index 0.
        ProbixDeviceInfo wrapped = new ProbixDeviceInfo();
        checkEq(ProbixUSBDriverJni.GetDeviceInfo(0, 256, wrapped), ProbixUSBDriverJni.PROBE_OK, "index 256");
        check(wrapped.m_enumUniqueID.equals(info.m_enumUniqueID), "index 256 is index 0");
        ProbixDeviceInfo none = new ProbixDeviceInfo();
        none.m_enumUniqueID = "stale";
        checkEq(ProbixUSBDriverJni.GetDeviceInfo(0, 5, none), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "index 5");
        check(none.m_enumUniqueID.isEmpty(), "fields cleared on failure");
        checkEq(ProbixUSBDriverJni.GetDeviceInfo(2, 0, none), ProbixUSBDriverJni.PROBE_NOT_SUPPORTED, "kind 2");

        checkEq(ProbixUSBDriverJni.OpenDevice(0, 0, false), ProbixUSBDriverJni.PROBE_OK, "OpenDevice");
        long handle = ProbixUSBDriverJni.GetLastOpenedDeviceHandle();
        check(handle > 0, "handle " + handle);
        checkEq(ProbixUSBDriverJni.OpenDevice(0, 9, false), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "OpenDevice(9)");
        checkEq(ProbixUSBDriverJni.GetLastOpenedDeviceHandle(), -1, "last handle after a failed open");

        // Store 100 bytes in the probe, then load them back into a Java array.
        ProbixDeviceRequest store = new ProbixDeviceRequest();
        store.m_cmd[0] = (byte) 0xA1;
        store.m_cmd[1] = 100;
        store.m_accessType = 0;
        store.m_data = new byte[100];
        for (int i = 0; i < 100; i++) store.m_data[i] = (byte) (i * 3);
        store.m_dataLength = 100;
        checkEq(ProbixUSBDriverJni.SendCommand(handle, store, 200), ProbixUSBDriverJni.PROBE_OK, "store");
        ProbixDeviceRequest load = new ProbixDeviceRequest();
        load.m_cmd[0] = (byte) 0xA2;
        load.m_accessType = 1;
        load.m_data = new byte[100];
        load.m_dataLength = 100;
        checkEq(ProbixUSBDriverJni.SendCommand(handle, load, 200), ProbixUSBDriverJni.PROBE_OK, "load");
        check(java.util.Arrays.equals(load.m_data, store.m_data), "data read lands in the Java array");

        ProbixDeviceRequest noCmd = new ProbixDeviceRequest();
        noCmd.m_cmd = null;
        checkEq(ProbixUSBDriverJni.SendCommand(handle, noCmd, 200), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "null m_cmd");
        ProbixDeviceRequest overlong = new ProbixDeviceRequest();
        overlong.m_accessType = 1;
        overlong.m_data = new byte[8];
        overlong.m_dataLength = 64;
        checkEq(ProbixUSBDriverJni.SendCommand(handle, overlong, 200), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "length past the array");
        checkEq(ProbixUSBDriverJni.SendCommand(handle, null, 200), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "null request");
        ProbixDeviceRequest shortCmd = new ProbixDeviceRequest();
        shortCmd.m_cmd = new byte[] {0x10};
        shortCmd.m_accessType = 1;
        shortCmd.m_data = new byte[4];
        shortCmd.m_dataLength = 4;
        checkEq(ProbixUSBDriverJni.SendCommand(handle, shortCmd, 200), ProbixUSBDriverJni.PROBE_OK, "short m_cmd");
        checkEq(shortCmd.m_data[3], 0x13, "pattern after a one-byte command");

        // The second interface: its trace stream (access type 3).
        checkEq(ProbixUSBDriverJni.OpenDevice(1, 0, true), ProbixUSBDriverJni.PROBE_OK, "OpenDevice(1)");
        long second = ProbixUSBDriverJni.GetLastOpenedDeviceHandle();
        check(second != handle, "second handle differs");
        ProbixDeviceRequest trace = new ProbixDeviceRequest();
        trace.m_accessType = 3;
        trace.m_data = new byte[16];
        trace.m_dataLength = 16;
        checkEq(ProbixUSBDriverJni.SendCommand(second, trace, 200), ProbixUSBDriverJni.PROBE_OK, "trace read");
        checkEq(trace.m_data[15], 15, "trace counter");

        checkEq(ProbixUSBDriverJni.CloseDevice(handle), ProbixUSBDriverJni.PROBE_OK, "CloseDevice");
        checkEq(ProbixUSBDriverJni.CloseDevice(handle), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "CloseDevice twice");
        checkEq(ProbixUSBDriverJni.SendCommand(handle, load, 200), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "closed handle");
        checkEq(ProbixUSBDriverJni.FreeLibrary(), ProbixUSBDriverJni.PROBE_OK, "FreeLibrary");
        checkEq(ProbixUSBDriverJni.GetNbDevices(0), 0, "empty after FreeLibrary");
        checkEq(ProbixUSBDriverJni.SendCommand(second, trace, 200), ProbixUSBDriverJni.PROBE_BAD_PARAMETER, "handle after FreeLibrary");

        System.out.println(passed + " passed, " + failed + " failed");
        System.exit(failed == 0 ? 0 : 1);
    }
}
