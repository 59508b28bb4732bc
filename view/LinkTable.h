// What a selection highlights and what a drop links: the marks that show the
// key, input and panel source linked to the selected sub-item, and the
// document changes made by dropping one sub-item onto another. Plain code on
// the layout and the document.
#pragma once

#include "view/HitTest.h"

class CMainDoc;
class SkinLayout;

// Sets the highlight mask of every item to 0.
void ClearMasks(SkinLayout& layout);

// Sets the highlight bits of what is linked to the selected sub-item:
//   key k          its input and that input's panel source;
//   panel input p  every input fed from it, and their keys;
//   module input   its key and its panel source;
//   audio channel  every input fed from that input's embedded audio, and their keys.
// A panel source that belongs to a module with embedded audio is shown on
// that module's audio channel instead of on the input panel. The selected
// sub-item's own bit is not set here.
void MarkSelectionLinks(SkinLayout& layout, const CMainDoc& doc, LinkEnd selected);

// What dropping `dragged` onto `target` does to the document:
//   key onto key             the two keys exchange inputs;
//   key/input onto an input  the input takes the key (whose former holder
//                            gets the input's former key);
//   onto a panel input or an audio channel: it becomes the panel source of
//                            the input concerned (a key's input);
//   panel input/audio channel onto a key or input: the reverse;
//   panel input onto panel input, input onto input: their labels exchange.
// Everything else (outputs, the card, panel input onto audio channel,
// audio onto audio) links nothing.
enum class DropResult {
    Nothing,       // no link for this pair; the document is unchanged
    Linked,        // a key or panel link was set (it may have been set already)
    Exchanged,     // two labels were exchanged
    LabelRefused,  // the exchange would have lost a label; nothing changed
};
DropResult DropLink(CMainDoc& doc, LinkEnd dragged, LinkEnd target);

// Exchanges two labels: both are read without their default names, emptied,
// then each is given the other's former label. When either could not be
// stored (a label that another input already shows under its default name),
// nothing is changed and false is returned.
bool ExchangeInputLabels(CMainDoc& doc, int dragged, int target);
bool ExchangePanelLabels(CMainDoc& doc, int dragged, int target);
