#include "app/main_app.h"

int main(int argc, char** argv) {
  return oxi::CMainApp().Run(argc, argv);
}
