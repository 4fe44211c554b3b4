package org.dosedesk.probe;

/** A probe's description, filled by ProbixUSBDriverJni.GetDeviceInfo. */
public class ProbixDeviceInfo {
    public String m_devPath = "";
    public String m_enumUniqueID = "";
    public short m_vendorId;
    public short m_productId;
    public boolean m_deviceUsed;
}
