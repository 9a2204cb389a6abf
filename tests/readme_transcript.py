"""The README's transcript of a program: the indented block that opens the
program's section, as the screen shows it."""


def transcript(readme_path, program):
    """The lines of the first indented block after the heading
    "### <program>", without their indentation; empty lines inside the block
    kept, trailing ones dropped."""
    with open(readme_path, encoding="utf-8") as file:
        lines = file.read().splitlines()
    heading = f"### {program}"
    if heading not in lines:
        raise AssertionError(f"{readme_path} has no section {heading!r}")
    block = []
    for line in lines[lines.index(heading) + 1:]:
        if line.startswith("    "):
            block.append(line[4:])
        elif not line.strip():
            if block:
                block.append("")
        elif line.startswith("#") or block:
            break
    while block and not block[-1]:
        block.pop()
    if not block:
        raise AssertionError(f"{readme_path}: no transcript under {heading!r}")
    return block
