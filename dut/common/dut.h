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
// The configuration saved to flash: the store under /var/dutsim/cms copied
// to /var/dutsim/flash, then the nvram variables (which the gateway's store
// saves with it) to /var/dutsim/flash-nvram, each in one step. Loading
// copies them back, as a power-up does.
bool saveStoreToFlash();
bool loadStoreFromFlash();

// Whether every bit of mask is set in a register's file (one hex number;
// an unwritten register reads 0).
bool registerBitsSet(const std::string &file, unsigned long mask);

// One line appended to /var/dutsim/trace; line ends are written as "\n".
void trace(const std::string &line);
// The injected failure of a platform function, 0 when there is none.
int faultOf(const char *function);
// The value of a fault given to a device part (cmd:nvram, entry:ssid, ...),
// "" when it has none.
std::string faultValue(const std::string &name);

// The device-wide store lock: 0, or DUT_TIMED_OUT after timeoutMs.
int lockAcquire(const char *name, unsigned timeoutMs);
void lockRelease(const char *name);
// Whether this process holds the store lock now.
bool lockHeld();

// The factory state of a model; false for an unknown model.
bool writeFactoryState(const std::string &model);
const char *const *modelNames();
// The configuration (nvram variables and store, saved copies too) at the
// model's defaults, those a gateway derives from flash entries taken from
// the entries as they are now.
bool resetConfig(const std::string &model);
// What a power cycle does to the state: /tmp emptied, the configuration
// loaded from flash, registers, LEDs, buttons and voice as at power-up.
bool rebootState();
// The model's buttons in the order of the driver's record.
std::vector<std::string> modelButtons(const std::string &model);
// How many of the model's LAN LEDs their registers light; total gets how
// many it has.
int lanLedsLit(const std::string &model, int &total);

// The base MAC entry: a MAC written as 12 hex digits, bare or as six pairs
// separated by ':' or by '-', is taken; the entry shows six lower-case
// pairs, each followed by a blank, then a line end.
bool parseMac(const std::string &text, unsigned char mac[6]);
std::string baseMacEntry(const unsigned char mac[6]);
// The MAC the base MAC entry holds now; false when it holds none.
bool readBaseMac(unsigned char mac[6]);

#endif
