// The unit's serial console (serial:/dev/ttyX[,baud]): a root shell on a
// terminal line, set raw on our side with termios. The shell echoes what
// is typed, translates line ends and prints its prompt whenever it likes,
// so nothing here relies on any of that: each command line sends its
// output and its errors to files on the unit and then prints marks of its
// own and both files as hexadecimal (busybox od), which no CR/LF
// translation can alter. The command runs in a subshell, so that not even
// an exit in it ends the console's shell. A mark is typed as two quoted halves ("@@""B7"),
// so that the echo of the typed line never reads as the mark itself.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "station.h"

namespace {

const struct {
  int baud;
  speed_t speed;
} speeds[] = {{9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
              {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};

// The unit's line editor keeps lines of about a kilobyte.
const size_t longestLine = 1000;

class SerialUnit : public Transport {
  std::string device;
  int baud, fd = -1;
  struct termios before;  // given back at the end
  std::string pending;  // bytes read past the last whole line
  unsigned seq = 0;
  std::string nonce;

  void send(const std::string &bytes)
  {
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += n;
      } else if (n < 0 && errno == EAGAIN) {
        struct pollfd p = {fd, POLLOUT, 0};
        poll(&p, 1, 1000);
      } else if (n < 0 && errno != EINTR) {
        throw StationFault(device + ": " + strerror(errno));
      }
    }
  }

  // The next line from the unit, its CRs dropped; false at the deadline.
  bool readLine(std::string &line, double deadline)
  {
    char buf[4096];
    size_t nl;

    while ((nl = pending.find('\n')) == std::string::npos) {
      double left = deadline - now();
      if (left <= 0) return false;
      struct pollfd p = {fd, POLLIN, 0};
      if (poll(&p, 1, (int)(left * 1000) + 1) <= 0) continue;
      ssize_t n = read(fd, buf, sizeof(buf));
      if (n > 0)
        pending.append(buf, n);
      else if (n == 0 || (errno != EAGAIN && errno != EINTR))
        throw StationFault(device + " closed" + (n ? std::string(": ") + strerror(errno) : ""));
    }
    line.clear();
    for (size_t i = 0; i < nl; i++)
      if (pending[i] != '\r') line += pending[i];
    pending.erase(0, nl + 1);
    return true;
  }

  std::string mark(const char *what) const
  {
    return "@@" + std::string(what) + std::to_string(seq) + nonce;
  }

  std::string typed(const char *what) const
  {
    return "\"@@\"\"" + std::string(what) + std::to_string(seq) + nonce;
  }

  // Reads up to the line "MARK STATUS"; the lines before it, od's
  // hexadecimal, become bytes when hex is given.
  bool until(const char *what, int &status, double deadline, std::string *hex)
  {
    std::string line, head = mark(what) + " ";
    while (readLine(line, deadline)) {
      // a prompt printed late may stand before the mark
      size_t at = line.find(head);
      if (at != std::string::npos) {
        status = atoi(line.c_str() + at + head.size());
        return true;
      }
      if (hex) fromHex(line, *hex);
    }
    return false;
  }

  void fromHex(const std::string &line, std::string &bytes)
  {
    for (size_t i = 0; i < line.size(); i++) {
      if (line[i] == ' ') continue;
      if (i + 1 >= line.size() || !isxdigit((unsigned char)line[i]) || !isxdigit((unsigned char)line[i + 1]))
        throw StationFault(device + ": garbled output line: " + line.substr(0, 80));
      bytes += (char)std::stoi(line.substr(i, 2), nullptr, 16);
      i++;
    }
  }

  // A Ctrl-C for whatever runs or was half typed, then a mark echoed back:
  // the shell is there and reads what is typed.
  bool sync(double timeout)
  {
    double deadline = now() + timeout;
    while (now() < deadline) {
      seq++;
      send("\003\recho " + typed("S") + " 0\"\r");
      int status;
      if (until("S", status, std::min(deadline, now() + 2), nullptr)) return true;
    }
    return false;
  }

public:
  SerialUnit(const std::string &device, int baud) : device(device), baud(baud)
  {
    speed_t speed = 0;
    for (const auto &s : speeds)
      if (s.baud == baud) speed = s.speed;
    if (!speed) throw BadInput("unsupported baud rate " + std::to_string(baud));
    fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw StationFault(device + ": " + strerror(errno));
    if (tcgetattr(fd, &before) != 0) throw StationFault(device + " is not a terminal");
    struct termios t = before;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    if (tcsetattr(fd, TCSANOW, &t) != 0) throw StationFault(device + ": " + strerror(errno));
    tcflush(fd, TCIOFLUSH);
    nonce = "x" + std::to_string(getpid() % 100000);
    if (!sync(15)) throw StationFault("no shell answers on " + device);
  }

  ~SerialUnit() override
  {
    tcsetattr(fd, TCSANOW, &before);
    close(fd);
  }

  Run run(const std::string &command, double timeout) override
  {
    Run r;
    double start = now(), deadline = start + timeout;
    const std::string o = "/tmp/.tarnel-station.o", e = "/tmp/.tarnel-station.e";

    seq++;
    r.command = command;
    std::string line = "(" + command + ") >" + o + " 2>" + e + " </dev/null; echo " + typed("B") +
                       " $?\"; od -An -v -tx1 " + o + "; echo " + typed("M") + " $?\"; od -An -v -tx1 " + e +
                       "; echo " + typed("E") + " $?\"; rm -f " + o + " " + e;
    if (line.size() > longestLine || command.find_first_of("\n\r\003") != std::string::npos)
      throw StationFault("the command does not fit one console line: " + command.substr(0, 80));
    send(line + "\r");
    int odOut = -1, odErr = -1;
    bool done = until("B", r.status, deadline, nullptr) && until("M", odOut, deadline, &r.out) &&
                until("E", odErr, deadline, &r.err);
    r.seconds = now() - start;
    if (!done) {
      r.timedOut = true;
      if (!sync(15)) throw StationFault("no shell answers on " + device + " after a time-out");
      return r;
    }
    if (odOut != 0 || odErr != 0) throw StationFault("the unit could not hand over the output of " + command);
    return r;
  }

  void reconnect(double timeout) override
  {
    pending.clear();
    if (!sync(timeout)) throw StationFault("no shell answers on " + device);
  }

  json describe() const override
  {
    return {{"transport", "serial"}, {"device", device}, {"baud", baud}};
  }
};

}  // namespace

std::unique_ptr<Transport> openSerial(const std::string &device, int baud)
{
  return std::make_unique<SerialUnit>(device, baud);
}
