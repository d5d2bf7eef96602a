// Paints one placeholder image for a frame name: the kind of picture is read
// from the name (card backs and faces, numbers and suits, jokers, the wildcard
// and landlord marks, buttons and their words, bars, digit strips, table and
// loading backgrounds, the certificate's medal and cup, the pictures of
// things of ArtPictures.cpp), anything else is a plain panel. A caption from
// the caption table is written on the picture where the kind shows text.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <string>
#include <vector>

namespace artgen {

class Painter {
 public:
  // `fontFile`: the font every text is drawn with.
  explicit Painter(std::string fontFile);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // A new RGBA surface of w x h with the picture for `name` (caller frees it).
  // `plainPanel`, when given, tells whether the name fell through to the
  // plain panel: no kind of picture was read from it. `words`, when given,
  // receives the box of each text written on the picture (pixels, y down).
  SDL_Surface* Paint(const std::string& name, int w, int h, const std::string& caption, bool* plainPanel = nullptr,
                     std::vector<SDL_Rect>* words = nullptr);

 private:
  TTF_Font* Font(int pixelSize);
  void Text(SDL_Surface* s, const std::string& utf8, int pixelSize, SDL_Color color, float cx, float cy,
            bool outline = false);
  // Text shrunk until it fits w x h around the centre.
  void FitText(SDL_Surface* s, const std::string& utf8, int maxPixelSize, SDL_Color color, float cx, float cy,
               int w, int h, bool outline = false);

  void CardBase(SDL_Surface* s);
  void CardBack(SDL_Surface* s);
  void Number(SDL_Surface* s, int colour, int number);
  void Suit(SDL_Surface* s, int suit);
  void Court(SDL_Surface* s, int number);
  void Joker(SDL_Surface* s, bool big, bool small);
  void Button(SDL_Surface* s, const std::string& name);
  // A digit strip: `glyphs` (one ASCII character each) in equal cells; empty
  // gives the usual twelve, 0-9 then ':' as a plus and ';' as a minus.
  void Digits(SDL_Surface* s, const std::string& glyphs, SDL_Color ink = {255, 215, 90, 255});
  // A room button's frame: a light card with the word of the entry money
  // beside the place of its figure.
  void RoomFrame(SDL_Surface* s);
  void Background(SDL_Surface* s, bool night, const std::string& caption);
  void Panel(SDL_Surface* s, const std::string& caption);
  // A player's head picture, its colours by `index`.
  void Head(SDL_Surface* s, int index);
  void TableSide(SDL_Surface* s, bool right, bool night);
  // The four-player table's rim (an oval) and its top and bottom bands.
  void TableRim(SDL_Surface* s);
  void Band(SDL_Surface* s, bool darkerDown);
  // The four-player table's golden card: a light gold card with its rank.
  void GoldCard(SDL_Surface* s, const std::string& rank);
  // The top bar's status icons: 1 the battery's case, 2 its charge, 3 a wired
  // and 4 a wireless connection.
  void StatusIcon(SDL_Surface* s, int kind);
  // The certificate's pictures: a gold medal on a ribbon, and the champion's
  // gold cup on its plinth.
  void Medal(SDL_Surface* s);
  void Trophy(SDL_Surface* s);
  void HeaderStrip(SDL_Surface* s);
  // The card-type, result and award effects: light and mostly see-through
  // (glows, lines, words), so the play under them stays in sight.
  void Effect(SDL_Surface* s, const std::string& name, const std::string& caption);
  // The Super table's own pieces (its felt, the chairs behind the seats, the
  // top bar's score panel and multiple board) and the new-player guide's
  // pages and pointer; false, painting nothing, for any other name.
  bool SuperTablePiece(SDL_Surface* s, const std::string& name, const std::string& caption);
  // The pictures of things (ArtPictures.cpp): card backs, the warning lamp,
  // clocks, coins, ingots, tickets, badges and other icons; false, painting
  // nothing, for any other name.
  bool Picture(SDL_Surface* s, const std::string& name, const std::string& caption);

  std::string _fontFile;
  std::map<int, TTF_Font*> _fonts;
  // The picture Paint is making, and the boxes of the texts written on it.
  SDL_Surface* _painting = nullptr;
  std::vector<SDL_Rect> _words;
};

}  // namespace artgen
