#include "app/display_check.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string_view>

namespace {

// A shared library loaded for a moment; a missing one means the platform
// that needs it cannot start either.
class Library {
 public:
  explicit Library(const char* name) : handle_(::dlopen(name, RTLD_NOW | RTLD_LOCAL)) {}
  ~Library() {
    if (handle_ != nullptr) ::dlclose(handle_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  template <typename Function>
  Function Get(const char* symbol) const {
    return handle_ != nullptr ? reinterpret_cast<Function>(::dlsym(handle_, symbol)) : nullptr;
  }

 private:
  void* handle_;
};

// The X display that DISPLAY names, reached as Qt's xcb platform reaches it.
bool XcbConnects() {
  const Library xcb("libxcb.so.1");
  const auto connect = xcb.Get<void* (*)(const char*, int*)>("xcb_connect");
  const auto hasError = xcb.Get<int (*)(void*)>("xcb_connection_has_error");
  const auto disconnect = xcb.Get<void (*)(void*)>("xcb_disconnect");
  if (connect == nullptr || hasError == nullptr || disconnect == nullptr) return false;
  void* connection = connect(nullptr, nullptr);
  if (connection == nullptr) return false;
  const bool reached = hasError(connection) == 0;
  disconnect(connection);
  return reached;
}

// The Wayland compositor that WAYLAND_DISPLAY names.
bool WaylandConnects() {
  const Library wayland("libwayland-client.so.0");
  const auto connect = wayland.Get<void* (*)(const char*)>("wl_display_connect");
  const auto disconnect = wayland.Get<void (*)(void*)>("wl_display_disconnect");
  if (connect == nullptr || disconnect == nullptr) return false;
  void* display = connect(nullptr);
  if (display == nullptr) return false;
  disconnect(display);
  return true;
}

bool PlatformStarts(std::string_view name) {
  // A platform may carry options after a colon ("xcb:foo").
  name = name.substr(0, name.find(':'));
  if (name == "xcb") return XcbConnects();
  if (name.rfind("wayland", 0) == 0) return WaylandConnects();
  return true;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The platform list Qt tries, in its order.
std::string PlatformList(const std::vector<std::string>& arguments) {
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == "-platform") return arguments[i + 1];
  }
  if (std::string fromEnvironment = Environment("QT_QPA_PLATFORM"); !fromEnvironment.empty()) {
    return fromEnvironment;
  }
  return Environment("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb";
}

}  // namespace

bool CanOpenDisplay(const std::vector<std::string>& arguments) {
  const std::string list = PlatformList(arguments);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = list.find(';', start);
    const std::string_view name = std::string_view(list).substr(start, end - start);
    if (!name.empty() && PlatformStarts(name)) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}
