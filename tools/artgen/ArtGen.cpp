// The placeholder-art tool. Reads the frame manifest and the caption table and
// writes, into the output folder, one sprite sheet per manifest sheet (the
// image and a property list of format 2 that the engine's sheet reader loads)
// and one file per entry of the manifest's image list. Every frame gets an
// image of exactly the manifest's size; a sheet named without frames gets an
// empty sheet, so loading it logs nothing.
//
// The frames it has no drawing for (painted as the plain panel) are listed,
// one a line, in "plain_panels.txt" in the output folder: the layout check
// holds them against the reviewed list of frames that are panels. The boxes
// of the texts it writes on its pictures are listed in "painted_words.txt",
// so the layout check can tell a figure drawn over such a word.
//
//   artgen <frame_manifest.txt> <captions.txt> <output folder>
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/window/FontLookup.h"
#include "tools/artgen/ArtPainter.h"

namespace {

struct Frame {
  std::string name;
  int w = 0, h = 0;
  int x = 0, y = 0;  // place in the sheet
};

struct Manifest {
  std::vector<std::pair<std::string, std::vector<Frame>>> sheets;  // in file order
  std::vector<Frame> images;
};

std::string Trim(const std::string& s) {
  const auto a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

bool ReadManifest(const std::string& path, Manifest* out) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  std::vector<Frame>* current = nullptr;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string section = line.substr(1, line.size() - 2);
      if (section == "images") {
        current = &out->images;
      } else {
        out->sheets.emplace_back(section, std::vector<Frame>{});
        current = &out->sheets.back().second;
      }
      continue;
    }
    std::istringstream fields(line);
    std::vector<std::string> parts;
    for (std::string p; fields >> p;) parts.push_back(p);
    if (!current || parts.size() < 3) {
      std::fprintf(stderr, "artgen: %s:%d: malformed line skipped\n", path.c_str(), lineNo);
      continue;
    }
    Frame f;
    f.w = std::atoi(parts[parts.size() - 2].c_str());
    f.h = std::atoi(parts.back().c_str());
    f.name = line.substr(0, line.find(parts[parts.size() - 2], parts[0].size()));
    f.name = Trim(f.name);
    current->push_back(f);
  }
  return true;
}

std::map<std::string, std::string> ReadCaptions(const std::string& path) {
  std::map<std::string, std::string> captions;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    const auto space = line.find_first_of(" \t");
    if (space == std::string::npos) continue;
    captions[line.substr(0, space)] = Trim(line.substr(space + 1));
  }
  return captions;
}

// Shelf packing, tallest first: places every frame and answers the sheet size.
SDL_Point Pack(std::vector<Frame>& frames) {
  constexpr int kMaxWidth = 2048, kGap = 2;
  std::vector<Frame*> order;
  for (Frame& f : frames) order.push_back(&f);
  std::stable_sort(order.begin(), order.end(), [](const Frame* a, const Frame* b) { return a->h > b->h; });
  int x = 0, y = 0, shelf = 0, width = 1;
  for (Frame* f : order) {
    if (x > 0 && x + f->w > kMaxWidth) {
      y += shelf + kGap;
      x = 0;
      shelf = 0;
    }
    f->x = x;
    f->y = y;
    x += f->w + kGap;
    shelf = std::max(shelf, f->h);
    width = std::max(width, x);
  }
  return {width, std::max(1, y + shelf)};
}

std::string XmlEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

bool WritePlist(const std::string& path, const std::string& imageName, const std::vector<Frame>& frames,
                SDL_Point size) {
  std::ofstream out(path);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
         "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
         "<plist version=\"1.0\">\n<dict>\n  <key>frames</key>\n  <dict>\n";
  for (const Frame& f : frames) {
    out << "    <key>" << XmlEscape(f.name) << "</key>\n    <dict>\n"
        << "      <key>frame</key><string>{{" << f.x << "," << f.y << "},{" << f.w << "," << f.h << "}}</string>\n"
        << "      <key>offset</key><string>{0,0}</string>\n"
        << "      <key>rotated</key><false/>\n"
        << "      <key>sourceColorRect</key><string>{{0,0},{" << f.w << "," << f.h << "}}</string>\n"
        << "      <key>sourceSize</key><string>{" << f.w << "," << f.h << "}</string>\n    </dict>\n";
  }
  out << "  </dict>\n  <key>metadata</key>\n  <dict>\n"
      << "    <key>format</key><integer>2</integer>\n"
      << "    <key>size</key><string>{" << size.x << "," << size.y << "}</string>\n"
      << "    <key>textureFileName</key><string>" << XmlEscape(imageName) << "</string>\n"
      << "  </dict>\n</dict>\n</plist>\n";
  return static_cast<bool>(out);
}

bool SaveImage(SDL_Surface* s, const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  const int rc = (ext == ".jpg" || ext == ".jpeg") ? IMG_SaveJPG(s, path.c_str(), 90) : IMG_SavePNG(s, path.c_str());
  if (rc != 0) std::fprintf(stderr, "artgen: cannot write %s: %s\n", path.c_str(), IMG_GetError());
  return rc == 0;
}

std::string Caption(const std::map<std::string, std::string>& captions, const std::string& name) {
  auto it = captions.find(name);
  return it == captions.end() ? "" : it->second;
}

// The list of the frames painted as the plain panel, one name a line.
constexpr const char* kPlainPanelsFile = "plain_panels.txt";

bool WritePlainPanels(const std::string& path, const std::set<std::string>& names) {
  std::ofstream out(path);
  out << "# Frames the art tool has no drawing for, painted as the plain panel.\n";
  for (const std::string& name : names) out << name << "\n";
  if (!out) std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

// The texts written on the pictures: "<frame> <x> <y> <w> <h>" a line, the box
// in the frame's pixels (y down). Digit strips are left out: their glyphs are
// cut apart, never shown as written.
constexpr const char* kPaintedWordsFile = "painted_words.txt";

bool WritePaintedWords(const std::string& path, const std::map<std::string, std::vector<SDL_Rect>>& words) {
  std::ofstream out(path);
  out << "# Texts the art tool wrote on its pictures: frame, then x y w h in the frame's pixels (y down).\n";
  for (const auto& [name, boxes] : words)
    for (const SDL_Rect& r : boxes) out << name << " " << r.x << " " << r.y << " " << r.w << " " << r.h << "\n";
  if (!out) std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: artgen <frame_manifest.txt> <captions.txt> <output folder>\n");
    return 2;
  }
  Manifest manifest;
  if (!ReadManifest(argv[1], &manifest)) {
    std::fprintf(stderr, "artgen: cannot read %s\n", argv[1]);
    return 1;
  }
  const auto captions = ReadCaptions(argv[2]);
  const std::filesystem::path outDir = argv[3];
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);

  const std::string font = ddz::window::FindFontFile("");
  if (font.empty() || TTF_Init() != 0) {
    std::fprintf(stderr, "artgen: no font to draw with (fontconfig found none)\n");
    return 1;
  }
  bool ok = true;
  std::set<std::string> plainPanels;
  std::map<std::string, std::vector<SDL_Rect>> paintedWords;
  {
    artgen::Painter painter(font);
    const auto paint = [&](const Frame& f) {
      bool plain = false;
      std::vector<SDL_Rect> words;
      SDL_Surface* image = painter.Paint(f.name, f.w, f.h, Caption(captions, f.name), &plain, &words);
      if (image != nullptr && plain) plainPanels.insert(f.name);
      if (image != nullptr && !words.empty()) paintedWords[f.name] = std::move(words);
      return image;
    };
    for (auto& [sheet, frames] : manifest.sheets) {
      const SDL_Point size = Pack(frames);
      SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, size.x, size.y, 32, SDL_PIXELFORMAT_RGBA32);
      SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, 0, 0, 0, 0));
      for (const Frame& f : frames) {
        SDL_Surface* part = paint(f);
        if (!part) continue;
        SDL_SetSurfaceBlendMode(part, SDL_BLENDMODE_NONE);
        SDL_Rect at{f.x, f.y, f.w, f.h};
        SDL_BlitSurface(part, nullptr, image, &at);
        SDL_FreeSurface(part);
      }
      const std::string stem = std::filesystem::path(sheet).replace_extension("").string();
      const std::string imageName = std::filesystem::path(stem).filename().string() + ".png";
      std::filesystem::create_directories((outDir / sheet).parent_path(), ec);
      ok = SaveImage(image, (outDir / (stem + ".png")).string()) && ok;
      ok = WritePlist((outDir / sheet).string(), imageName, frames, size) && ok;
      SDL_FreeSurface(image);
    }
    for (const Frame& f : manifest.images) {
      SDL_Surface* image = paint(f);
      if (!image) continue;
      std::filesystem::create_directories((outDir / f.name).parent_path(), ec);
      ok = SaveImage(image, (outDir / f.name).string()) && ok;
      SDL_FreeSurface(image);
    }
  }
  TTF_Quit();
  ok = WritePlainPanels((outDir / kPlainPanelsFile).string(), plainPanels) && ok;
  ok = WritePaintedWords((outDir / kPaintedWordsFile).string(), paintedWords) && ok;
  std::printf("artgen: %zu sheets and %zu images in %s; %zu frames painted as the plain panel (%s)\n",
              manifest.sheets.size(), manifest.images.size(), outDir.string().c_str(), plainPanels.size(),
              kPlainPanelsFile);
  return ok ? 0 : 1;
}
