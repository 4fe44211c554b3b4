// JNI entry points of org.dosedesk.probe.ProbixUSBDriverJni.
#include <jni.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "probix/probe_usb_driver.h"

#define PROBIX_JNI(name) extern "C" JNIEXPORT auto JNICALL Java_org_dosedesk_probe_ProbixUSBDriverJni_##name

namespace {

TProbixHandle g_lastOpenedHandle = PROBIX_NO_HANDLE;
TDeviceRequest g_request;

// Text from the probe is bytes, not necessarily valid modified UTF-8; each
// byte becomes one character so that no input can upset the JVM.
jstring to_java_string(JNIEnv* env, const char* text, size_t capacity) {
  size_t n = strnlen(text, capacity);
  std::vector<jchar> chars(n);
  for (size_t i = 0; i < n; ++i) chars[i] = static_cast<unsigned char>(text[i]);
  return env->NewString(chars.data(), static_cast<jsize>(n));
}

}  // namespace

PROBIX_JNI(Reenumerate)(JNIEnv*, jclass, jint kind, jboolean clear) -> jint {
  return static_cast<jint>(Probix_Reenumerate(static_cast<TEnumProbixInterface>(kind), clear ? 1 : 0));
}

PROBIX_JNI(GetNbDevices)(JNIEnv*, jclass, jint kind) -> jint {
  return static_cast<jint>(Probix_GetNbDevices(static_cast<TEnumProbixInterface>(kind)));
}

PROBIX_JNI(GetDeviceInfo)(JNIEnv* env, jclass, jint kind, jint index, jobject info) -> jint {
  if (!info) return static_cast<jint>(PROBE_BAD_PARAMETER);
  TDeviceInfo local;
  std::memset(&local, 0, sizeof local);
  uint32_t status = Probix_GetDeviceInfo(static_cast<TEnumProbixInterface>(kind), static_cast<uint8_t>(index & 0xff),
                                         &local, sizeof local);
  jclass cls = env->GetObjectClass(info);
  jfieldID devPath = env->GetFieldID(cls, "m_devPath", "Ljava/lang/String;");
  jfieldID uniqueId = env->GetFieldID(cls, "m_enumUniqueID", "Ljava/lang/String;");
  jfieldID vendorId = env->GetFieldID(cls, "m_vendorId", "S");
  jfieldID productId = env->GetFieldID(cls, "m_productId", "S");
  jfieldID deviceUsed = env->GetFieldID(cls, "m_deviceUsed", "Z");
  if (!devPath || !uniqueId || !vendorId || !productId || !deviceUsed) return static_cast<jint>(status);
  env->SetObjectField(info, devPath, to_java_string(env, local.devPath, sizeof local.devPath));
  env->SetObjectField(info, uniqueId, to_java_string(env, local.enumUniqueId, sizeof local.enumUniqueId));
  env->SetShortField(info, vendorId, static_cast<jshort>(local.vendorId));
  env->SetShortField(info, productId, static_cast<jshort>(local.productId));
  env->SetBooleanField(info, deviceUsed, local.deviceUsed == 1 ? JNI_TRUE : JNI_FALSE);
  return static_cast<jint>(status);
}

PROBIX_JNI(OpenDevice)(JNIEnv*, jclass, jint kind, jint index, jboolean exclusive) -> jint {
  g_lastOpenedHandle = PROBIX_NO_HANDLE;
  return static_cast<jint>(Probix_OpenDevice(static_cast<TEnumProbixInterface>(kind),
                                             static_cast<uint8_t>(index & 0xff), exclusive ? 1 : 0,
                                             &g_lastOpenedHandle));
}

PROBIX_JNI(GetLastOpenedDeviceHandle)(JNIEnv*, jclass) -> jlong {
  return static_cast<jlong>(static_cast<int32_t>(g_lastOpenedHandle));
}

PROBIX_JNI(CloseDevice)(JNIEnv*, jclass, jlong handle) -> jint {
  return static_cast<jint>(Probix_CloseDevice(static_cast<TProbixHandle>(static_cast<uint32_t>(handle))));
}

PROBIX_JNI(SendCommand)(JNIEnv* env, jclass, jlong handle, jobject request, jint timeout) -> jint {
  if (!request) return static_cast<jint>(PROBE_BAD_PARAMETER);
  jclass cls = env->GetObjectClass(request);
  jfieldID cmdField = env->GetFieldID(cls, "m_cmd", "[B");
  if (!cmdField) return static_cast<jint>(PROBE_BAD_PARAMETER);
  auto cmd = static_cast<jbyteArray>(env->GetObjectField(request, cmdField));
  if (!cmd) return static_cast<jint>(PROBE_BAD_PARAMETER);
  jfieldID accessField = env->GetFieldID(cls, "m_accessType", "B");
  jfieldID dataField = env->GetFieldID(cls, "m_data", "[B");
  jfieldID lengthField = env->GetFieldID(cls, "m_dataLength", "I");
  if (!accessField || !dataField || !lengthField) return static_cast<jint>(PROBE_BAD_PARAMETER);

  std::memset(&g_request, 0, sizeof g_request);
  // A shorter command array is zero-padded rather than read past its end.
  jsize cmdLength = std::min<jsize>(env->GetArrayLength(cmd), 16);
  env->GetByteArrayRegion(cmd, 0, cmdLength, reinterpret_cast<jbyte*>(g_request.cdb));
  g_request.accessType = static_cast<uint8_t>(env->GetByteField(request, accessField));
  jint length = env->GetIntField(request, lengthField);
  auto data = static_cast<jbyteArray>(env->GetObjectField(request, dataField));
  // The probe must never read or write past the Java array.
  if (length < 0 || (data && length > env->GetArrayLength(data))) return static_cast<jint>(PROBE_BAD_PARAMETER);
  jbyte* elements = data ? env->GetByteArrayElements(data, nullptr) : nullptr;
  g_request.buffer = elements;
  g_request.bufferLength = static_cast<uint32_t>(length);
  uint32_t status = Probix_SendCommand(static_cast<TProbixHandle>(static_cast<uint32_t>(handle)), &g_request,
                                       static_cast<uint32_t>(timeout));
  if (elements) env->ReleaseByteArrayElements(data, elements, 0);
  g_request.buffer = nullptr;
  return static_cast<jint>(status);
}

PROBIX_JNI(FreeLibrary)(JNIEnv*, jclass) -> jint { return static_cast<jint>(Probix_FreeLibrary()); }
