// The floor of the start-up benchmark: FLTK opening an empty window with
// the client size of kelvane's main window, and nothing else.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

int main() {
  Fl_Double_Window window(439, 280, "Floor");
  window.end();
  window.show();
  return Fl::run();
}
