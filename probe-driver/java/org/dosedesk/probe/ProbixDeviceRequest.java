package org.dosedesk.probe;

/**
 * A command for ProbixUSBDriverJni.SendCommand: the 16-byte command block,
 * the access type (0 = write m_data to the probe, 3 = read the second input
 * stream, anything else = read into m_data) and the data length.
 */
public class ProbixDeviceRequest {
    public byte[] m_cmd = new byte[16];
    public byte m_accessType;
    public byte[] m_data;
    public int m_dataLength;
}
