// Starts a program on the X display and watches the whole screen until it settles, to tell when the
// program first showed what it ends up showing: the first frame whose edges (the contrast steps that
// text, icons and lines make, whatever their colours) cover most of the settled frame's edges. A flat
// window fill at mapping time has no edges, so it does not count; text recoloured later still does.
// A calm frame only settles the watch when it looks like --like (a shot of the settled window from an
// earlier run), or, with --first-line, once it shows the file's first line: a program may stay calm on
// its empty window or on a blank buffer while it reads the file. Where the first line is drawn is where
// two shots differ, one of the window with the file (--first-line) and one with the same file whose
// first line has other letters (--changed-first-line); a frame counts once it has most of the first
// shot's edges there. After the screen has settled, the watch waits for the program's process tree to
// settle too (helpers started in the background), reads its memory and ends the whole tree.
//
// Usage: first-frame [--settle MS] [--timeout S] [--cover FRACTION] [--like FILE.ppm]
//                    [--first-line FILE.ppm --changed-first-line FILE.ppm] [--shot FILE.ppm]
//                    [--frames FOLDER] -- PROGRAM [ARGS...]
// --shot keeps the settled frame, --frames every frame (named by its milliseconds), for checking by eye.
// Prints one line: first_change_ms first_content_ms settled_ms tree_peak_rss_kib tree_pss_kib
// tree_own_kib (pages counted once, -1 without root) processes tree_settled(1/0) frames settled_edges, or
// "failed <why>".
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <fcntl.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ProcessTree.h"

namespace {

using Clock = std::chrono::steady_clock;

// A change smaller than this many pixels (a blinking caret) is not a new frame.
constexpr long kSignificantPixels = 300;
// Neighbouring pixels whose brightness differs by more than this make an edge.
constexpr int kEdgeStep = 48;
// Where the two first-line shots differ must look like one line of text: no taller than this, at least
// this wide, with at least this many edges in the first shot.
constexpr int kLineMaxHeight = 80;
constexpr int kLineMinWidth = 40;
constexpr long kLineMinEdges = 100;
// The process tree counts as settled after this long with the same processes and no growth.
constexpr int kTreeSteadyMs = 2000;
constexpr int kTreeTimeoutMs = 30000;

struct TOptions {
  int SettleMs = 1500;
  int TimeoutS = 60;
  double Cover = 0.8;
  std::string Like;
  std::string FirstLine;
  std::string ChangedFirstLine;
  std::string Shot;
  std::string Frames;
  std::vector<char*> Command;
};

struct TFrame {
  double Ms;
  std::vector<bool> Edges;
  long EdgeCount;
};

struct TRegion {
  int Left, Top, Right, Bottom;  // right and bottom exclusive
};

std::optional<TOptions> ParseOptions(int argc, char** argv) {
  TOptions options;
  int i = 1;
  for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return std::nullopt;
    const char* value = argv[++i];
    if (flag == "--settle") options.SettleMs = std::atoi(value);
    else if (flag == "--timeout") options.TimeoutS = std::atoi(value);
    else if (flag == "--cover") options.Cover = std::atof(value);
    else if (flag == "--like") options.Like = value;
    else if (flag == "--first-line") options.FirstLine = value;
    else if (flag == "--changed-first-line") options.ChangedFirstLine = value;
    else if (flag == "--shot") options.Shot = value;
    else if (flag == "--frames") options.Frames = value;
    else return std::nullopt;
  }
  for (++i; i < argc; ++i) options.Command.push_back(argv[i]);
  if (options.Command.empty() || options.FirstLine.empty() != options.ChangedFirstLine.empty()) return std::nullopt;
  options.Command.push_back(nullptr);
  return options;
}

// The root window's pixels through shared memory, grabbed again on every Grab().
class TScreen {
 public:
  explicit TScreen(Display* display) : display_(display) {
    const int screen = DefaultScreen(display);
    Width = DisplayWidth(display, screen);
    Height = DisplayHeight(display, screen);
    image_ = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen), ZPixmap, nullptr,
                             &shm_, Width, Height);
    shm_.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * Height, IPC_CREAT | 0600);
    shm_.shmaddr = image_->data = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
    shm_.readOnly = False;
    XShmAttach(display, &shm_);
    XSync(display, False);
    shmctl(shm_.shmid, IPC_RMID, nullptr);  // freed once both sides detach, however this ends
  }
  ~TScreen() {
    XShmDetach(display_, &shm_);
    XDestroyImage(image_);
    shmdt(shm_.shmaddr);
  }
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  void Grab() { XShmGetImage(display_, DefaultRootWindow(display_), image_, 0, 0, AllPlanes); }
  std::uint32_t Pixel(int x, int y) const {
    return *reinterpret_cast<const std::uint32_t*>(image_->data + static_cast<size_t>(y) * image_->bytes_per_line + x * 4);
  }
  std::vector<std::uint32_t> Copy() const {
    std::vector<std::uint32_t> pixels(static_cast<size_t>(Width) * Height);
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) pixels[static_cast<size_t>(y) * Width + x] = Pixel(x, y);
    return pixels;
  }

  int Width = 0;
  int Height = 0;

 private:
  Display* display_;
  XImage* image_;
  XShmSegmentInfo shm_{};
};

int Brightness(std::uint32_t pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return (2 * r + 5 * g + b) / 8;
}

TFrame FrameOf(double ms, const std::vector<std::uint32_t>& pixels, int width, int height) {
  TFrame frame{ms, std::vector<bool>(pixels.size()), 0};
  std::vector<bool>& edges = frame.Edges;
  for (int y = 0; y + 1 < height; ++y) {
    for (int x = 0; x + 1 < width; ++x) {
      const size_t at = static_cast<size_t>(y) * width + x;
      const int here = Brightness(pixels[at]);
      edges[at] = std::abs(here - Brightness(pixels[at + 1])) > kEdgeStep ||
                  std::abs(here - Brightness(pixels[at + width])) > kEdgeStep;
      frame.EdgeCount += edges[at];
    }
  }
  return frame;
}

long ChangedPixels(const TScreen& screen, const std::vector<std::uint32_t>& before) {
  long changed = 0;
  for (int y = 0; y < screen.Height; ++y)
    for (int x = 0; x < screen.Width; ++x)
      changed += (screen.Pixel(x, y) & 0xFFFFFF) != (before[static_cast<size_t>(y) * screen.Width + x] & 0xFFFFFF);
  return changed;
}

long EdgesIn(const std::vector<bool>& edges, const TRegion& region, int width) {
  long count = 0;
  for (int y = region.Top; y < region.Bottom; ++y)
    for (int x = region.Left; x < region.Right; ++x) count += edges[static_cast<size_t>(y) * width + x];
  return count;
}

// The share of Reference's edges inside Region that Frame has too.
double Cover(const std::vector<bool>& frame, const std::vector<bool>& reference, const TRegion& region, int width) {
  long total = 0, shared = 0;
  for (int y = region.Top; y < region.Bottom; ++y) {
    for (int x = region.Left; x < region.Right; ++x) {
      const size_t at = static_cast<size_t>(y) * width + x;
      total += reference[at];
      shared += reference[at] && frame[at];
    }
  }
  return total ? static_cast<double>(shared) / static_cast<double>(total) : 0;
}

// The box around every pixel the two shots differ in, when it has the shape of one line of text.
std::optional<TRegion> FirstLineRegion(const std::vector<std::uint32_t>& with, const TFrame& withEdges,
                                       const std::vector<std::uint32_t>& changed, int width, int height) {
  TRegion box{width, height, 0, 0};
  long differing = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t at = static_cast<size_t>(y) * width + x;
      if ((with[at] & 0xFFFFFF) == (changed[at] & 0xFFFFFF)) continue;
      ++differing;
      box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    }
  }
  const bool line = differing > kSignificantPixels && box.Bottom - box.Top <= kLineMaxHeight &&
                    box.Right - box.Left >= kLineMinWidth && EdgesIn(withEdges.Edges, box, width) >= kLineMinEdges;
  if (!line) return std::nullopt;
  return box;
}

// Frames sharing this share of their edges (of the edges either has) look alike.
bool Alike(const TFrame& a, const TFrame& b) {
  long shared = 0;
  for (size_t i = 0; i < a.Edges.size() && i < b.Edges.size(); ++i) shared += a.Edges[i] && b.Edges[i];
  const long either = a.EdgeCount + b.EdgeCount - shared;
  return either > 0 && static_cast<double>(shared) / static_cast<double>(either) >= 0.8;
}

// The pixels of a shot SaveShot wrote, or nothing when it is missing or of another size.
std::optional<std::vector<std::uint32_t>> LoadPixels(const std::string& name, int width, int height) {
  FILE* in = std::fopen(name.c_str(), "rb");
  if (!in) return std::nullopt;
  int w = 0, h = 0, depth = 0;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  bool read = std::fscanf(in, "P6 %d %d %d", &w, &h, &depth) == 3 && std::fgetc(in) != EOF && w == width && h == height;
  for (size_t i = 0; read && i < pixels.size(); ++i) {
    unsigned char rgb[3];
    read = std::fread(rgb, 1, 3, in) == 3;
    pixels[i] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
  }
  std::fclose(in);
  if (!read) return std::nullopt;
  return pixels;
}

void SaveShot(const std::string& name, const std::vector<std::uint32_t>& pixels, int width, int height) {
  FILE* out = std::fopen(name.c_str(), "wb");
  if (!out) return;
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (std::uint32_t p : pixels) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
    std::fwrite(rgb, 1, 3, out);
  }
  std::fclose(out);
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// What the settled frame must show, from the shots of earlier runs.
struct TExpected {
  std::optional<TFrame> Like;
  std::optional<TFrame> FirstLine;
  TRegion LineRegion{};

  bool ShowsFirstLine(const TFrame& frame, double cover, int width) const {
    return !FirstLine || Cover(frame.Edges, FirstLine->Edges, LineRegion, width) >= cover;
  }
  bool Settles(const TFrame& frame, double cover, int width) const {
    return (!Like || Alike(frame, *Like)) && ShowsFirstLine(frame, cover, width);
  }
};

// The expectations, or the reason they cannot be read.
std::optional<TExpected> LoadExpected(const TOptions& options, int width, int height, std::string& why) {
  TExpected expected;
  if (!options.Like.empty()) {
    const auto pixels = LoadPixels(options.Like, width, height);
    if (!pixels) {
      why = "cannot read " + options.Like;
      return std::nullopt;
    }
    expected.Like = FrameOf(0, *pixels, width, height);
  }
  if (!options.FirstLine.empty()) {
    const auto with = LoadPixels(options.FirstLine, width, height);
    const auto changed = LoadPixels(options.ChangedFirstLine, width, height);
    if (!with || !changed) {
      why = "cannot read the first-line shots";
      return std::nullopt;
    }
    expected.FirstLine = FrameOf(0, *with, width, height);
    const std::optional<TRegion> region = FirstLineRegion(*with, *expected.FirstLine, *changed, width, height);
    if (!region) {
      why = "the first-line shots do not differ in one line of text";
      return std::nullopt;
    }
    expected.LineRegion = *region;
  }
  return expected;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<TOptions> options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: %s [--settle MS] [--timeout S] [--cover FRACTION] [--like FILE.ppm] [--first-line FILE.ppm --changed-first-line FILE.ppm] [--shot FILE.ppm] [--frames FOLDER] -- PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  const std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(nullptr), XCloseDisplay);
  Display* display = connection.get();
  if (!display || !XShmQueryExtension(display)) {
    std::printf("failed no X display with shared memory images\n");
    return 1;
  }
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);  // the program gets no share of this connection
  TScreen screen(display);
  std::string why;
  const std::optional<TExpected> expected = LoadExpected(*options, screen.Width, screen.Height, why);
  if (!expected) {
    std::printf("failed %s\n", why.c_str());
    return 1;
  }
  screen.Grab();
  std::vector<std::uint32_t> last = screen.Copy();
  std::vector<TFrame> frames;
  frames.push_back(FrameOf(0, last, screen.Width, screen.Height));

  tree::BecomeReaper();
  tree::TSampler sampler;
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(STDERR_FILENO, STDOUT_FILENO);  // this tool's output is its one line of figures
    execvp(options->Command[0], options->Command.data());
    _exit(127);
  }
  double lastChange = 0;
  bool exited = false;
  bool late = false;
  while (true) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    screen.Grab();
    const double now = MsSince(start);
    if (ChangedPixels(screen, last) > kSignificantPixels) {
      last = screen.Copy();
      frames.push_back(FrameOf(now, last, screen.Width, screen.Height));
      if (!options->Frames.empty())
        SaveShot(options->Frames + "/" + std::to_string(static_cast<long>(now)) + ".ppm", last, screen.Width, screen.Height);
      lastChange = now;
    }
    if (frames.size() > 1 && now - lastChange >= options->SettleMs &&
        expected->Settles(frames.back(), options->Cover, screen.Width))
      break;
    if (now > options->TimeoutS * 1000.0) {
      late = true;
      break;
    }
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      exited = true;
      break;
    }
  }
  bool treeSettled = false;
  long pss = 0;
  long own = 0;
  size_t processes = 0;
  if (!exited && !late) {
    treeSettled = sampler.WaitSettled(kTreeSteadyMs, kTreeTimeoutMs);
    const std::vector<pid_t> tree = sampler.Tree();
    pss = tree::TreePssKib(tree);
    own = tree::TreeOwnKib(tree);
    processes = tree.size();
  }
  const long peak = sampler.PeakRssKib();
  if (exited) tree::EndLeftovers();
  else tree::EndTree(pid);
  if (!options->Shot.empty()) SaveShot(options->Shot, last, screen.Width, screen.Height);
  if (exited || late) {
    std::printf("failed %s\n", exited ? "the program ended" : frames.size() < 2 ? "nothing showed" : "no settled frame in time");
    return 1;
  }
  const std::vector<bool>& settled = frames.back().Edges;
  const TRegion screenRegion{0, 0, screen.Width, screen.Height};
  double content = lastChange;
  for (size_t i = 1; i < frames.size(); ++i) {
    if (Cover(frames[i].Edges, settled, screenRegion, screen.Width) >= options->Cover &&
        expected->ShowsFirstLine(frames[i], options->Cover, screen.Width)) {
      content = frames[i].Ms;
      break;
    }
  }
  std::printf("%.1f %.1f %.1f %ld %ld %ld %zu %d %zu %ld\n", frames[1].Ms, content, lastChange, peak, pss, own, processes,
              treeSettled ? 1 : 0, frames.size() - 1, frames.back().EdgeCount);
  return 0;
}
