// The simulated gateway's state, trace and store lock, shared by the host
// platform library (linked into tarnel) and the device commands (dutsim).
// Every path is absolute inside the device; dutRoot prefixes them when the
// state is written from the host (when a device root is created).
#ifndef DUT_H
#define DUT_H

#include <string>
#include <vector>

// Codes of the simulated platform's own; only 0 and 9011 mean anything
// to tarnel.
#define DUT_INTERNAL_ERROR 9002
#define DUT_TIMED_OUT 9011
#define DUT_NO_MORE_INSTANCES 9800

extern std::string dutRoot;

std::string dutPath(const std::string &path);
bool readFile(const std::string &path, std::string &out);
std::string readValue(const std::string &path, const std::string &dflt = "");
// Written to a temporary file beside it and renamed into place.
bool writeFile(const std::string &path, const std::string &data);
bool isDir(const std::string &path);
bool makeDirs(const std::string &path);
void removeTree(const std::string &path);
std::vector<std::string> listDir(const std::string &path);
// The store under /var/dutsim/cms copied to /var/dutsim/flash in one step:
// a reader sees the old copy or the new one, never a mix.
bool saveStoreToFlash();

// One line appended to /var/dutsim/trace; line ends are written as "\n".
void trace(const std::string &line);
// The injected failure of a platform function, 0 when there is none.
int faultOf(const char *function);

// The device-wide store lock: 0, or DUT_TIMED_OUT after timeoutMs.
int lockAcquire(const char *name, unsigned timeoutMs);
void lockRelease(const char *name);
// Whether this process holds the store lock now.
bool lockHeld();

// The factory state of a model; false for an unknown model.
bool writeFactoryState(const std::string &model);
const char *const *modelNames();

#endif
