# Compiles every file named on the command line and prints, one line per
# file, the string constants Python reads from its literals, as JSON.
import ast, json, sys
for path in sys.argv[1:]:
    source = open(path, encoding='utf-8').read()
    compile(source, path, 'exec')
    print(json.dumps([n.value for n in ast.walk(ast.parse(source))
                      if isinstance(n, ast.Constant) and isinstance(n.value, str)]))
