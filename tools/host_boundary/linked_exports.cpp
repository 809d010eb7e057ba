// The exports of a program that builds them in (exports.cpp compiled into it).
#include "host_boundary/stats_module.h"

namespace zd::host {

Exports LinkedExports() {
  return Exports{&::setVersion,  &::GetNumberOfSets, &::GetSetName,    &::SetupSet0,
                 &::RunCommand0, &::CheckCall0,      &::IsValidExchg0, &::GetExchgCount0,
                 &::AddData0,    &::RemoveData0,     &::ResetStats0,   &::GetResult0};
}

}  // namespace zd::host
