#include "runtime/input/typed_text.h"

#include "runtime/input/input_system.h"

namespace mvn {

void addTypedCharacter(unsigned char c) {
  InputSystem* input = currentInput();
  if (!input) return;
  if (c == 13) c = 10;
  if (c < 32 && c != 8 && c != 9 && c != 10) return;
  if (input->typedText.size() <= 15) input->typedText += static_cast<char>(c);
}

std::string nextTypedCharacter() {
  InputSystem* input = currentInput();
  if (!input || input->typedText.empty()) return {};
  std::string first(1, input->typedText[0]);
  input->typedText.erase(0, 1);
  return first;
}

}  // namespace mvn
