// Minimal test runner: TEST(name) registers a case; the program runs the cases
// whose names start with argv[1] (all without it) and ends with the line
// "N passed, N failed".
#pragma once
#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace check {
struct Case {
  const char* name;
  void (*fn)();
};
inline std::vector<Case>& cases() {
  static std::vector<Case> c;
  return c;
}
inline int& failures() {
  static int f = 0;
  return f;
}
struct Register {
  Register(const char* name, void (*fn)()) { cases().push_back({name, fn}); }
};
template <class A, class B>
bool report_eq(const A& a, const B& b, const char* ea, const char* eb, const char* file, int line) {
  if (a == b) return true;
  std::ostringstream os;
  auto show = [&os](const auto& v) {
    using T = std::decay_t<decltype(v)>;
    if constexpr (std::is_integral_v<T>) {
      os << std::hex << std::showbase << +v;
    } else if constexpr (std::is_same_v<T, std::string>) {
      os << '"' << v << '"';
    } else {
      os << "{";
      for (const auto& e : v) os << std::hex << +e << " ";
      os << "}";
    }
  };
  os << "    got ";
  show(a);
  os << " for " << ea << ", expected ";
  show(b);
  os << " (" << eb << ")";
  std::printf("  %s:%d: %s\n", file, line, os.str().c_str());
  ++failures();
  return false;
}
inline bool report(bool ok, const char* what, const char* file, int line) {
  if (!ok) {
    std::printf("  %s:%d: check failed: %s\n", file, line, what);
    ++failures();
  }
  return ok;
}
inline int run(int argc, char** argv, void (*setup)() = nullptr) {
  const char* filter = argc > 1 ? argv[1] : "";
  int passed = 0, failed = 0;
  for (const Case& c : cases()) {
    if (std::strncmp(c.name, filter, std::strlen(filter)) != 0) continue;
    if (setup) setup();
    int before = failures();
    std::printf("[ RUN  ] %s\n", c.name);
    std::fflush(stdout);
    c.fn();
    bool ok = failures() == before;
    std::printf("[ %s ] %s\n", ok ? " OK " : "FAIL", c.name);
    (ok ? passed : failed)++;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return (failed == 0 && passed > 0) ? 0 : 1;
}
}  // namespace check

#define TEST(name)                                              \
  static void name();                                           \
  static check::Register name##_registered(#name, &name);       \
  static void name()
#define CHECK(cond) check::report(static_cast<bool>(cond), #cond, __FILE__, __LINE__)
#define CHECK_EQ(a, b) check::report_eq((a), (b), #a, #b, __FILE__, __LINE__)
