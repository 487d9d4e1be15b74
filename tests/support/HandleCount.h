#pragma once
// Kernel handles (registry keys among them) the process holds right now.
// GetProcessHandleCount is a stub under Wine; the system handle list is not.
namespace quillon::test {
int LiveKernelHandles();
}
