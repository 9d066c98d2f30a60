#include "lstBox/lst_box.h"

namespace orva {

void LstBox::setCount(const std::string& caption) { caption_ = caption; }

}  // namespace orva
