// The idea line of a composed board: a name for its shape and one clause
// for the thing it asks of the player, in a few wordings so that a sheet of
// boards does not read like a form.
#include <map>

#include "ideas.h"

namespace corvale::design {
namespace {

std::uint32_t wordHash(int id, std::uint32_t salt) {
    std::uint32_t x = static_cast<std::uint32_t>(id) * 2654435761u + salt;
    x ^= x >> 15;
    x *= 0x2c1b3c6du;
    x ^= x >> 12;
    return x;
}

std::string choose(const std::vector<std::string>& wordings, int id, std::uint32_t salt) {
    return wordings[wordHash(id, salt) % wordings.size()];
}

std::string capital(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

void replaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

std::string title(const IdeaFacts& f, int id) {
    static const std::map<std::string, std::vector<std::string>> titles{
        {"vault", {"The vault", "A strongroom", "Chambers in one block"}},
        {"rack", {"The sorting rack", "Bins along the wall", "A rack of bins"}},
        {"rooms", {"Rooms off a corridor", "The hallway", "Doors along the passage"}},
        {"spine", {"The spine", "A wall down the middle", "Two sides of a wall"}},
        {"pillars", {"Pillars", "The colonnade", "Between the pillars"}},
        {"diagonals", {"Slanted lanes", "Diagonals", "Across the grain"}},
        {"pinball", {"Pinball", "The bumper table", "Bumpers and pockets"}},
        {"spiral", {"The spiral", "A snail's shell", "Round and round"}},
    };
    const auto found = titles.find(f.motif);
    return found == titles.end() ? capital(f.motif) : choose(found->second, id, 11u);
}

// What the walls alone ask, by motif.
std::string wallsClause(const IdeaFacts& f, int id) {
    static const std::map<std::string, std::vector<std::string>> clauses{
        {"vault", {"every door faces a different wall", "find the way into each chamber"}},
        {"rack", {"drop each ball into the bin of its colour", "sort the balls into their bins"}},
        {"rooms", {"send each ball through the right doorway", "each colour has a room of its own"}},
        {"spine", {"the doors face away, so every shot goes round", "bank each ball round to its hole"}},
        {"pillars", {"bank each shot off a pillar", "the holes sit in the walls, the pillars in the way"}},
        {"diagonals", {"cross the slanted walls through their gaps", "each lane leads to a different hole"}},
        {"pinball", {"knock each ball off the bumpers into its pocket", "the pockets hide in the side walls"}},
        {"spiral", {"lead each ball round and round to the middle", "follow the winding corridor inwards"}},
    };
    const auto found = clauses.find(f.motif);
    if (found != clauses.end()) return choose(found->second, id, 23u);
    return choose({"steer each ball home", "bank each ball into its own hole"}, id, 23u);
}

}  // namespace

std::string ideaLine(const IdeaFacts& f, const Brief& brief) {
    const int id = brief.id;
    std::string clause;
    switch (f.lead) {
        case Valves:
            clause = choose({"each hole lets its own colour in through a one-way door",
                             "one-way doors: in for its own colour, never out again"},
                            id, 31u);
            break;
        case Filters:
            clause = choose({"only its own colour passes each filter", "filters sort the colours at the doors",
                             "each door is a filter that knows its colour"},
                            id, 31u);
            break;
        case Bricks:
            if (f.quarry) {
                clause = choose({"dig through a quarry of bricks", "a quarry of bricks stands in the way"}, id, 31u);
            } else if (f.dam) {
                clause = choose({"a dam of bricks holds the way", "break the dam, then go home"}, id, 31u);
            } else if (brief.difficulty == 0) {
                clause =
                    choose({"each brick door breaks to its own colour", "knock on the door of your colour"}, id, 31u);
            } else {
                clause =
                    choose({"each colour breaks into its own hole", "the holes are bricked in by colour"}, id, 31u);
            }
            break;
        case Paint:
            clause = choose(
                {"the {paint} wall repaints whatever strikes it",
                 "paint a ball on the {paint} wall before it goes home", "the {paint} bar changes a ball's mind"},
                id, 31u);
            replaceAll(clause, "{paint}", colorName(f.paint < 0 ? Gray : f.paint));
            break;
        case Ramps:
            clause = choose({"a river of ramps carries balls past the holes", "ride the ramps, or bridge them with ink",
                             "ramps sweep everything sideways"},
                            id, 31u);
            break;
        case TimedDoors:
            clause = choose({"doors open on a beat: time every shot", "a gate that opens only now and then"}, id, 31u);
            break;
        case Keyholes:
            clause =
                choose({"sink {key} first to open the locks", "{key} is the key: its hole opens the others"}, id, 31u);
            replaceAll(clause, "{key}", colorName(f.key));
            break;
        case Preplaced:
            clause = choose({"the balls are already waiting: turn each one home",
                             "no launcher, only waiting balls to send home", "start the resting balls rolling"},
                            id, 31u);
            break;
        case Launchers:
            clause = choose({"balls come from {n} launchers at once", "{n} launchers feed the board"}, id, 31u);
            replaceAll(clause, "{n}", f.launchers == 3 ? "three" : f.launchers == 4 ? "four" : "two");
            break;
        default:
            clause = wallsClause(f, id);
            break;
    }
    return title(f, id) + ": " + clause + ".";
}

}  // namespace corvale::design
